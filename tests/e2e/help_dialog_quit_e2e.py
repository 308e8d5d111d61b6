"""Quit from the desktop while a page in the help window shows its own
dialog (a script's alert): the program ends with code 0, without pulling
the view out from under the dialog. A launch meanwhile is taken at once: the
page's dialog is no handler's and holds no door back. Run through
run-e2e.sh."""

import os
import subprocess

from e2e_session import WORK, Program, check, eventually, find, run_scenario, type_keys, wait_for, walk
from handover_e2e import launch
from list_restart_e2e import make_tone
from mpris_e2e import gdbus


def alert_up(p):
    return any(n.get_role_name() in ("alert", "dialog") for n in walk(p.app))


def main():
    p = Program()
    wait_for(lambda: "Sorvanel" in gdbus("org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2",
                                         "Identity"), "the player on the session bus")
    p.choose("HELPを開く")
    browser = wait_for(lambda: p.window("Internet Browser"), "the help browser window")
    box = wait_for(lambda: find(browser, "text", showing=True), "the address box")
    type_keys("Internet Browser", box, ["ctrl+a", "BackSpace"])
    subprocess.run(["xdotool", "type", "--delay", "20", "data:text/html,<script>alert(1)</script>"], check=True)
    subprocess.run(["xdotool", "key", "Return"], check=True)
    wait_for(lambda: alert_up(p), "the page's alert", timeout=60)
    make_tone(os.path.join(WORK, "a.wav"), 2)
    launch(os.path.join(WORK, "a.wav"))
    eventually(lambda: p.play_list() == ["a.wav"], "a launch is taken while the page's alert is up")
    gdbus("org.mpris.MediaPlayer2.Quit")
    try:
        code = p.process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        p.process.kill()
        code = None
    check(code == 0, f"the program ended with code 0 while the alert was up (got {code})")


if __name__ == "__main__":
    run_scenario(main)
