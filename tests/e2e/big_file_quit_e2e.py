"""`Sorvan big.mp3`, a gigabyte of zeros (sparse), in the real program: the
window answers, and the desktop's Quit ends the process at once, without
waiting for a tag read. Run through run-e2e.sh."""

import os
import subprocess
import time

from e2e_session import Program, WORK, check, run_scenario, wait_for
from mpris_e2e import gdbus


def main():
    big = os.path.join(WORK, "big.mp3")
    subprocess.run(["truncate", "-s", "1G", big], check=True)
    p = Program(arguments=[big])
    wait_for(lambda: p.title_line() == "big.mp3", "the file's name in the title line")
    check(p.enabled("メディアファイルを開く"), "the window answers")
    wait_for(lambda: "Sorvanel" in gdbus("org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2",
                                         "Identity"), "the player on the session bus")
    started = time.monotonic()
    gdbus("org.mpris.MediaPlayer2.Quit")
    code = p.process.wait(timeout=60)
    took = time.monotonic() - started
    # About a twentieth of this here; the bound leaves room for a busy machine.
    check(code == 0 and took < 3.0, f"Quit ended the process with code 0 ({code}) at once ({took:.2f} s)")


if __name__ == "__main__":
    run_scenario(main)
