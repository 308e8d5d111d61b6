"""Overwriting a list in a folder that takes no new file, in the real
program: a list of 2,000 entries is opened, a second launch hands over 2,000
more files, and "リストを上書き保存" writes the 4,000 entries. Under a size
limit of 64 KiB (ulimit -f 64) the list stays byte for byte the old one, when
the program answers with its message and when it is killed; without the
limit it becomes byte for byte the new one, written where it stands.
(Under the limit the sound library's client would end the program with the
start sound, making 64 MiB of shared memory: its own setting turns that off.)
Run through run-e2e.sh."""

import os
import resource
import subprocess

from e2e_session import PROGRAM_DIR, WORK, Program, check, find, log, run_scenario, wait_for
from list_restart_e2e import make_tone, message_box, window_with_label


def read(path):
    with open(path, "rb") as f:
        return f.read()


def fill_and_overwrite(p, list_file, added):
    p.choose("リストファイルを開く")
    p.file_dialog("Sorvanel_ListFile", list_file, "開く")
    entries = lambda: find(p.main, "list", "プレイリスト").get_child_count()  # noqa: E731
    wait_for(lambda: entries() == 2000, "the 2,000 entries of the list")
    subprocess.run([os.path.join(PROGRAM_DIR, "Sorvan"), *added], cwd=PROGRAM_DIR, timeout=60, check=True)
    wait_for(lambda: entries() == 4000, "4,000 entries", timeout=60)
    p.choose("リストを上書き保存")


def main():
    tone = os.path.join(WORK, "tone.wav")
    make_tone(tone, 30)
    added = [os.path.join(WORK, f"追加 {i:04}.wav") for i in range(2000)]
    for path in added:
        os.link(tone, path)
    old_entries = [os.path.join(WORK, f"前の曲 {i:04}.wav") for i in range(2000)]
    old = b"".join(path.encode() + b"\r\n" for path in old_entries)
    new = old + b"".join(path.encode() + b"\r\n" for path in added)
    folder = os.path.join(WORK, "lists")
    os.makedirs(folder)
    list_file = os.path.join(folder, "お気に入り.lst")
    with open(list_file, "wb") as f:
        f.write(old)
    with open(os.path.join(WORK, "pulse.conf"), "w") as f:
        f.write("enable-shm = no\nenable-memfd = no\n")
    os.environ["PULSE_CLIENTCONFIG"] = os.path.join(WORK, "pulse.conf")
    # The superuser writes into any folder, but not into an immutable one.
    lock, unlock = (["chattr", "+i"], ["chattr", "-i"]) if os.geteuid() == 0 else (["chmod", "555"], ["chmod", "755"])
    subprocess.run([*lock, folder], check=True)
    try:
        log(f"under ulimit -f 64: {len(old)} bytes, {len(new)} to be written")
        p = Program(preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (65536, resource.RLIM_INFINITY)))
        fill_and_overwrite(p, list_file, added)
        check(message_box(p, "ファイルがありません。") == "Sorvanel", "the overwrite's message")
        check(p.process.poll() is None and read(list_file) == old, "the program lives; the list is the old one")
        p.choose("リストを上書き保存")
        p.process.kill()
        p.process.wait(timeout=15)
        check(read(list_file) == old, "killed as it overwrites: the list is the old one")

        log("without the limit")
        p = Program()
        fill_and_overwrite(p, list_file, added)
        wait_for(lambda: read(list_file) == new, "the list to be the new one")
        check(window_with_label(p, "ファイルがありません。") is None, "no message")
        check(os.listdir(folder) == ["お気に入り.lst"], "no other file in the folder")
        check(p.quit() == 0, "the program ended with code 0")
    finally:
        subprocess.run([*unlock, folder], check=True)


if __name__ == "__main__":
    run_scenario(main)
