"""Play lists of other programs in the real program: a CP932 .m3u with
Windows paths whose files lie under the list's folder, an .m3u8 with relative
paths and titles, a .pls and an .xspf with percent-encoded Japanese relative
locations, each opened through the command line, a second launch or the
dialog; every entry clicked plays its own file. The list is saved as .m3u8,
.pls and .xspf and each opens again with the same entries. Run through
run-e2e.sh."""

import os
import re
import subprocess
from urllib.parse import unquote

from e2e_session import WORK, check, eventually, log, run_scenario, wait_for
from handover_e2e import Started, launch
from list_restart_e2e import make_tone
from mpris_e2e import prop

LISTS = os.path.join(WORK, "リスト")
SHOTS = os.environ.get("SORVAN_E2E_SHOTS")


def media(*names):
    """Makes a short tone at each path under LISTS; their full paths."""
    paths = [os.path.join(LISTS, name) for name in names]
    for path in paths:
        os.makedirs(os.path.dirname(path), exist_ok=True)
        make_tone(path, 20)
    return paths


def write(name, data):
    path = os.path.join(LISTS, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return path


def playing_file():
    match = re.search(r"'xesam:url': <'([^']*)'>", prop("Metadata"))
    return unquote(match.group(1)).removeprefix("file://") if match else None


def plays_each(p, names, paths, how):
    eventually(lambda: p.play_list() == names, f"{how}: the names {names}")
    for index, path in enumerate(paths):
        p.click_entry(index)
        eventually(lambda: playing_file() == path and "'Playing'" in prop("PlaybackStatus"),
                   f"{how}: entry {index} plays {os.path.relpath(path, LISTS)}")
        check(p.title_line() == names[index], f"{how}: the title line shows {names[index]!r}")


def main():
    # A Windows list in CP932: its music was copied beside it, folders and all
    # (0x5C, the backslash, is the second byte of 表, ソ and 能).
    win = media("win/Music/曲.wav", "win/表/ソ能.wav", "win/deep/x/Song.WAV")
    m3u = write("win/太郎.m3u", "\r\n".join([
        "#EXTM3U", "#EXTINF:20,一曲目", "C:\\Users\\太郎\\Music\\曲.wav", "D:\\old\\表\\ソ能.wav",
        "\\\\server\\share\\SONG.wav", "http://radio.invalid/stream", ""]).encode("cp932"))
    songs = media("m3u8/songs/a.wav", "shared/b.wav")
    m3u8 = write("m3u8/mine.m3u8", "#EXTM3U\n#EXTINF:20,春の歌\nsongs/a.wav\n#EXTINF:20,夏の歌\n../shared/b.wav\n"
                 .encode())
    pls_media = media("pls/sub/d.wav", "pls/c.wav")
    pls = write("pls/radio.pls", b"[playlist]\nFile2=c.wav\nTitle2=Second\nFile1=sub/d.wav\nNumberOfEntries=2\n")
    xspf_media = media("xspf/曲集/三.wav", "xspf/四 つ.wav")
    xspf = write("xspf/mine.xspf", """<?xml version="1.0" encoding="UTF-8"?>
<playlist version="1" xmlns="http://xspf.org/ns/0/"><trackList>
  <track><location>%E6%9B%B2%E9%9B%86/%E4%B8%89.wav</location><title>三曲目</title></track>
  <track><location>%E5%9B%9B%20%E3%81%A4.wav</location></track>
</trackList></playlist>""".encode())

    log("a CP932 .m3u on the command line")
    stderr = open(os.path.join(WORK, "stderr.txt"), "w+", encoding="utf-8", errors="replace")
    p = Started(m3u, stderr=stderr)
    plays_each(p, ["一曲目", "ソ能.wav", "Song.WAV"], win, ".m3u")
    if SHOTS:
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, "m3u.png")], check=False)

    log("an .m3u8 by a second launch")
    code, _, _ = launch(m3u8)
    check(code == 0, f"the second launch exits 0 ({code})")
    plays_each(p, ["春の歌", "夏の歌"], songs, ".m3u8")

    log("a .pls through the dialog, its name typed")
    p.choose("リストファイルを開く")
    p.file_dialog("Sorvanel_ListFile", pls, "開く")
    plays_each(p, ["d.wav", "Second"], pls_media, ".pls")

    log("an .xspf by a second launch")
    launch(xspf)
    plays_each(p, ["三曲目", "四 つ.wav"], xspf_media, ".xspf")
    if SHOTS:
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, "xspf.png")], check=False)

    for suffix in ("m3u8", "pls", "xspf"):
        saved = os.path.join(WORK, f"x.{suffix}")
        p.choose("名前を付けてリストを保存")
        p.file_dialog("Sorvanel_ListFile", saved, "保存")
        wait_for(lambda: os.path.exists(saved), saved)
    for suffix in ("m3u8", "pls", "xspf"):
        p.choose("リストを閉じる")
        wait_for(lambda: p.play_list() == [], "the play list to empty")
        launch(os.path.join(WORK, f"x.{suffix}"))
        plays_each(p, ["三曲目", "四 つ.wav"], xspf_media, f"x.{suffix} read back")

    code = p.quit()
    check(code == 0, f"the program ended with code 0 ({code})")
    stderr.seek(0)
    err = stderr.read()
    check("left out: http://radio.invalid/stream" in err, "the address in the .m3u is named on standard error")


if __name__ == "__main__":
    run_scenario(main)
