"""What the desktop's player controls see follows what plays, not the
window's texts: a video plays on after "名前を付けてリストを保存", the bus
says Playing and Pause from the desktop pauses it; in CD mode the position of
a disc image's track grows while it plays. Run through run-e2e.sh (Xvfb and a
private session bus)."""

import os
import re
import subprocess
import time

from e2e_session import WORK, check, eventually, log, run_scenario, wait_for
from handover_e2e import HOME, Started, disc_image
from list_restart_e2e import playing
from mpris_e2e import PLAYER, gdbus, prop


def position():
    found = re.search(r"int64 (-?\d+)", prop("Position"))
    return int(found.group(1)) if found else -1


def main():
    os.makedirs(HOME)
    film = os.path.join(WORK, "映像.avi")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=60",
                    "-f", "lavfi", "-i", "sine=frequency=440:duration=60", "-c:v", "mpeg4", "-q:v", "5",
                    "-c:a", "pcm_s16le", film], check=True)
    disc_image(WORK)

    p = Started("--cd-device=disc.cue")
    p.choose("メディアファイルを開く")
    p.file_dialog("MID WAV AVI MP3", film, "開く")
    wait_for(lambda: "'Playing'" in prop("PlaybackStatus"), "the video playing")
    p.choose("名前を付けてリストを保存")
    p.file_dialog("Sorvanel_ListFile", os.path.join(WORK, "保存.lst"), "保存")
    wait_for(lambda: p.title_line() == "", "the title line emptied by the save")
    check(playing(p), "the video plays on after the save")
    check("'Playing'" in prop("PlaybackStatus"), "the bus says Playing after the save")
    check("<true>" in prop("CanPlay") and "<true>" in prop("CanPause"), "CanPlay and CanPause after the save")
    check("'xesam:title': <'映像.avi'>" in prop("Metadata"), "Metadata names the video after the save")
    gdbus(f"{PLAYER}.Pause")
    eventually(lambda: "'Paused'" in prop("PlaybackStatus"), "Pause from the desktop pauses the video")
    check(not playing(p), "the player's own button shows paused")

    p.choose("リストを閉じる")
    p.choose("CDを演奏する")
    wait_for(lambda: p.enabled("CDを終了する"), "CD mode")
    wait_for(lambda: "トラック 1" in prop("Metadata"), "the disc image's first track")
    gdbus(f"{PLAYER}.Play")
    wait_for(lambda: "'Playing'" in prop("PlaybackStatus"), "the disc image playing")
    wait_for(lambda: position() > 0, "a position of the disc")
    first = position()
    time.sleep(1.5)
    second = position()
    log(f"positions {first} and {second} µs, 1.5 s apart")
    check(second - first >= 1000000, f"in CD mode Position grows while the track plays ({first} -> {second})")

    code = p.quit()
    check(code == 0, f"the program ended with code 0 ({code})")


if __name__ == "__main__":
    run_scenario(main)
