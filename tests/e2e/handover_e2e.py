"""Files handed to the one running window from outside: the command line, a
second launch (also while a dialog is up, and twenty at once racing to be
the first), MPRIS OpenUri and a Rate written over the bus, the command line's
own answers, a start after a killed program, Quit while a dialog is up, a
disc image for CD mode, and no settings file left by the file dialogs. Run
through run-e2e.sh (Xvfb and a private session bus)."""

import os
import shutil
import subprocess
import time
from urllib.parse import quote

from e2e_session import PROGRAM_DIR, WORK, Program, check, eventually, log, press, run_scenario, wait_for, walk
from list_restart_e2e import make_tone
from mpris_e2e import PLAYER, gdbus, prop

HOME = os.path.join(WORK, "home")
SORVAN = os.path.join(PROGRAM_DIR, "Sorvan")


def environment(**extra):
    return dict(os.environ, HOME=HOME, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", **extra)


class Started(Program):
    """The program started with arguments, from the program folder as the
    launcher starts it, with the caller's folder passed along and the
    environment's additions given as keywords."""

    def __init__(self, *args, caller=WORK, preexec_fn=None, stderr=None, **extra):
        super().__init__(args, preexec_fn, environment(SORVAN_CALLER_FOLDER=caller, **extra), stderr)


def launch(*args, cwd=WORK):
    """A later launch, run from cwd: its exit code, its standard error and its
    time."""
    began = time.monotonic()
    result = subprocess.run([SORVAN, *args], cwd=cwd, env=environment(), capture_output=True, text=True,
                            timeout=20)
    return result.returncode, result.stderr, time.monotonic() - began


def cancel_dialog(p, title):
    dialog = wait_for(lambda: p.window(title), f"the dialog {title!r}")
    button = wait_for(lambda: next((n for n in walk(dialog) if n.get_role_name() == "push button"
                                    and n.get_name().startswith("キャンセル")), None), "the cancel button")
    press(button)
    wait_for(lambda: p.window(title) is None, f"the dialog {title!r} to close")


def disc_image(folder):
    """A one-track audio disc image: raw CD samples in 2352-byte sectors and a
    cue sheet."""
    raw = os.path.join(folder, "disc.bin")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", "-e", "signed", "-L", "-t", "raw", raw,
                    "synth", "20", "sine", "440", "vol", "0.3"], check=True)
    with open(raw, "ab") as f:
        f.write(b"\0" * (-os.path.getsize(raw) % 2352))
    with open(os.path.join(folder, "disc.cue"), "w") as f:
        f.write('FILE "disc.bin" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n')


def main():
    os.makedirs(HOME)
    other = os.path.join(WORK, "other")
    os.makedirs(os.path.join(other, "sub"))
    make_tone(os.path.join(WORK, "a.wav"), 30)
    for name in ("other/b.wav", "d.wav", "曲.wav", *(f"many/t{i:02}.wav" for i in range(20))):
        os.makedirs(os.path.dirname(os.path.join(WORK, name)), exist_ok=True)
        shutil.copyfile(os.path.join(WORK, "a.wav"), os.path.join(WORK, name))
    shutil.copyfile(os.path.join(PROGRAM_DIR, "Start.wav"), os.path.join(other, "sub", "c.mid"))

    usage = subprocess.run([SORVAN, "--help"], env=environment(), capture_output=True, text=True, timeout=20)
    check(usage.returncode == 0 and usage.stdout.startswith("Usage: sorvan"), "--help prints the usage and exits 0")
    code, err, _ = launch("--bogus")
    check(code == 2 and len(err.strip().splitlines()) == 1, f"--bogus: one line on stderr, exit 2 ({code}, {err!r})")
    version = subprocess.run([SORVAN, "--version"], env=environment(), capture_output=True, text=True).stdout
    check(version.startswith("Sorvanel Ver.4.0"), f"--version names the program ({version.strip()!r})")

    log("twenty launches at once, no window yet")
    many = [os.path.join(WORK, "many", f"t{i:02}.wav") for i in range(20)]
    launches = [subprocess.Popen([SORVAN, path], env=environment(), cwd=PROGRAM_DIR) for path in many]
    wait_for(lambda: sum(proc.poll() is not None for proc in launches) == 19, "nineteen launches to end", 60)
    window = next(proc for proc in launches if proc.poll() is None)
    check([proc.returncode for proc in launches if proc is not window] == [0] * 19, "nineteen launches exit 0")
    p = Started.__new__(Started)
    p.process = window
    p.app = wait_for(p._find_app, "the window that won", timeout=60)
    p.main = wait_for(lambda: p.window("Kordaline"), "the main window")
    eventually(lambda: sorted(p.play_list()) == [f"t{i:02}.wav" for i in range(20)],
               "twenty launches at once give exactly twenty entries")

    log("kill -9")
    p.process.kill()
    p.process.wait()
    log("sorvan a.wav")
    p = Started("a.wav")
    wait_for(lambda: p.play_list() == ["a.wav"], "a.wav in the play list")
    check(True, "a start after a killed program opens a window of its own")
    wait_for(lambda: "'Playing'" in prop("PlaybackStatus"), "a.wav playing")
    check("'xesam:title': <'a.wav'>" in prop("Metadata"), "sorvan a.wav plays a.wav")
    gdbus("org.freedesktop.DBus.Properties.Set", PLAYER, "Rate", "<1.5>")
    eventually(lambda: prop("Rate") == "(<1.5>,)", "a Rate written over the bus is the player's")

    code, err, took = launch("b.wav", "sub/c.mid", "nothing.wav", cwd=other)
    log(f"second launch took {took:.2f} s")
    check(code == 0 and took < 1.0, f"a second launch exits 0 within a second ({code}, {took:.2f} s)")
    check("nothing.wav" in err and "not found" in err, f"what was not taken is named on its stderr ({err!r})")
    eventually(lambda: p.play_list() == ["a.wav", "b.wav", "c.mid"], "relative names from another folder appended")

    before = p.play_list()
    p.choose("メディアファイルを開く")
    wait_for(lambda: p.window("MID WAV AVI MP3"), "the open dialog")
    code, _, _ = launch("d.wav")
    check(code == 0, "a launch while the open dialog is up exits 0")
    time.sleep(0.5)
    check(p.play_list() == before, "nothing joins the list while the dialog is up")
    cancel_dialog(p, "MID WAV AVI MP3")
    eventually(lambda: p.play_list() == before + ["d.wav"], "the handed file appears once the dialog is cancelled")

    p.choose("リストファイルを開く")
    cancel_dialog(p, "Sorvanel_ListFile")
    uri = "file://" + quote(os.path.join(WORK, "曲.wav"))
    check("%E6%9B%B2.wav" in uri, "the address is percent-encoded")
    gdbus(f"{PLAYER}.OpenUri", uri)
    eventually(lambda: p.play_list()[-1:] == ["曲.wav"], "OpenUri appends 曲.wav")

    p.choose("メディアファイルを開く")
    wait_for(lambda: p.window("MID WAV AVI MP3"), "the open dialog")
    gdbus("org.mpris.MediaPlayer2.Quit")
    try:
        code = p.process.wait(timeout=15)
    except subprocess.TimeoutExpired:
        code = None
    check(code == 0, f"Quit while the open dialog is up closes it and ends the program ({code})")
    disc_image(WORK)
    p = Started("--cd-device=disc.cue")
    p.choose("CDを演奏する")
    wait_for(lambda: p.enabled("CDを終了する"), "CD mode")
    wait_for(lambda: "トラック 1" in prop("Metadata"), "the disc image's first track")
    gdbus(f"{PLAYER}.Play")
    eventually(lambda: "'Playing'" in prop("PlaybackStatus"), "--cd-device=disc.cue plays the disc image")
    code = p.quit()
    check(code == 0, f"the program ended with code 0 ({code})")
    left = [os.path.join(d, f) for d, _, files in os.walk(os.path.join(HOME, ".config")) for f in files]
    check(left == [], f"nothing left under ~/.config after both dialogs ({left})")


if __name__ == "__main__":
    run_scenario(main)
