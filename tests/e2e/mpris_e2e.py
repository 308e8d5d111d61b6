"""The desktop's player controls on the real program: `gdbus call` on the
private session bus that run-e2e.sh provides plays, pauses and moves to the
next play-list entry, and Metadata names the file that plays. Files are
opened through the dialog as a person would. Run through run-e2e.sh."""

import subprocess

from e2e_session import WORK, Program, check, log, run_scenario, wait_for
from list_restart_e2e import make_tone, playing

DEST = ["--session", "--dest", "org.mpris.MediaPlayer2.sorvan", "--object-path", "/org/mpris/MediaPlayer2"]
PLAYER = "org.mpris.MediaPlayer2.Player"


def gdbus(method, *args):
    result = subprocess.run(["gdbus", "call", *DEST, "--method", method, *args],
                            capture_output=True, text=True, timeout=10)
    log(f"gdbus {method.split('.')[-1]} {' '.join(args)} -> {result.stdout.strip() or result.stderr.strip()}")
    return result.stdout.strip()


def prop(name):
    return gdbus("org.freedesktop.DBus.Properties.Get", PLAYER, name)


def main():
    first, second = f"{WORK}/一曲目.wav", f"{WORK}/二 曲目.wav"
    for path in (first, second):
        make_tone(path, 30)

    p = Program()
    wait_for(lambda: "Sorvanel" in gdbus("org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2",
                                         "Identity"), "the player on the session bus")
    p.choose("メディアファイルを開く")
    p.file_dialog("MID WAV AVI MP3", first, "開く")
    wait_for(lambda: "'Playing'" in prop("PlaybackStatus"), "PlaybackStatus Playing")
    check("'xesam:title': <'一曲目.wav'>" in prop("Metadata"), "Metadata names the opened file")
    p.choose("ファイルを追加する")
    p.file_dialog("MID WAV AVI MP3", second, "開く")
    wait_for(lambda: p.play_list() == ["一曲目.wav", "二 曲目.wav"], "both files in the play list")

    gdbus(f"{PLAYER}.Pause")
    wait_for(lambda: "'Paused'" in prop("PlaybackStatus"), "PlaybackStatus Paused")
    check(not playing(p), "the player's own button shows paused")
    gdbus(f"{PLAYER}.PlayPause")
    wait_for(lambda: "'Playing'" in prop("PlaybackStatus"), "PlaybackStatus Playing again")
    check(playing(p), "the player's own button shows playing")

    gdbus(f"{PLAYER}.Next")  # nothing selected: the first entry
    wait_for(lambda: p.title_line() == "一曲目.wav", "the first entry in the title line")
    gdbus(f"{PLAYER}.Next")
    wait_for(lambda: p.title_line() == "二 曲目.wav", "the next entry in the title line")
    wait_for(lambda: "'Playing'" in prop("PlaybackStatus"), "the next entry playing")
    metadata = prop("Metadata")
    check("'xesam:title': <'二 曲目.wav'>" in metadata, "Metadata names the next file")
    check("%E4%BA%8C%20%E6%9B%B2%E7%9B%AE.wav" in metadata, "Metadata's URL is the next file's")
    check("<false>" in prop("CanGoNext"), "at the end of the list CanGoNext is false")

    code = p.quit()
    check(code == 0, f"the program ended with code 0 ({code})")


if __name__ == "__main__":
    run_scenario(main)
