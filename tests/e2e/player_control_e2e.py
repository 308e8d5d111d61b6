"""The media player control in the real program, driven from outside: a video
shows the three position buttons, a right click on the picture opens the
context menu with its captions, "全画面表示" covers the whole screen and Esc
brings the window's layout back, and Space pauses and plays while the control
has the keyboard. Run through run-e2e.sh; with SORVAN_E2E_SHOTS set to a
folder, screenshots of the menu and of full screen are kept there."""

import os
import subprocess
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

from e2e_session import WORK, Program, check, find, log, press, run_scenario, sensitive, wait_for, walk

MENU = ["再生", "一時停止", "停止", "巻き戻し", "早送り", "ズーム", "全画面表示", "音量", "再生速度", "プロパティ", "統計"]


def shot(name):
    folder = os.environ.get("SORVAN_E2E_SHOTS")
    if folder:
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(folder, name)], check=False)


def extents(node):
    e = node.get_extents(Atspi.CoordType.SCREEN)
    return (e.x, e.y, e.width, e.height)


def centre(node):
    x, y, w, h = extents(node)
    return x + w // 2, y + h // 2


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def window_id(name):
    out = subprocess.run(["xdotool", "search", "--name", f"^{name}$"], capture_output=True, text=True)
    ids = out.stdout.split()
    return ids[-1] if ids else None


class PopupWatch:
    """Popup menus are not children of the program on the accessibility bus:
    they are seen when they announce themselves."""

    def __init__(self):
        self.popups = []
        self.listener = Atspi.EventListener.new(self._on_event)
        self.listener.register("object:state-changed:showing")

    def _on_event(self, event):
        try:
            if event.source is not None and event.source.get_role_name() == "popup menu":
                self.popups.append(event.source)
        except Exception:  # a menu that is already gone
            pass

    def wait(self, what, timeout=15.0):
        context = GLib.MainContext.default()
        end = time.time() + timeout
        while time.time() < end:
            context.iteration(False)
            if self.popups:
                return self.popups[-1]
            time.sleep(0.02)
        raise TimeoutError(f"timed out waiting for {what}")


def main():
    film = os.path.join(WORK, "映像.avi")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=640x480:rate=25:duration=60",
                    "-f", "lavfi", "-i", "sine=frequency=440:duration=60", "-c:v", "mpeg4", "-q:v", "5",
                    "-c:a", "pcm_s16le", film], check=True)

    p = Program()
    p.choose("メディアファイルを開く")
    p.file_dialog("MID WAV AVI MP3", film, "開く")
    buttons = wait_for(lambda: [b for b in (find(p.main, "push button", n, showing=True)
                                            for n in ("先頭へ", "巻き戻し", "早送り")) if b and sensitive(b)]
                       if len([b for b in (find(p.main, "push button", n, showing=True)
                                           for n in ("先頭へ", "巻き戻し", "早送り")) if b and sensitive(b)]) == 3
                       else None, "the three position buttons")
    check(len(buttons) == 3, "a video shows the three position buttons, enabled")
    picture = wait_for(lambda: find(p.main, None, "映像", showing=True), "the picture")
    before = extents(picture)

    watch = PopupWatch()
    x, y = centre(picture)
    xdotool("mousemove", str(x), str(y), "click", "3")
    menu = watch.wait("the context menu")
    items = [menu.get_child_at_index(i) for i in range(menu.get_child_count())]
    names = [n.get_name() for n in items if n.get_name() in MENU]
    check(names == ["一時停止", "停止", "巻き戻し", "早送り", "ズーム", "全画面表示", "音量", "再生速度", "プロパティ", "統計"],
          f"the context menu's captions ({names})")
    shot("context-menu.png")
    press(next(n for n in items if n.get_name() == "全画面表示"))

    full = wait_for(lambda: p.window("全画面表示"), "the full-screen window")
    screen = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True).stdout.split()
    wait_for(lambda: extents(full) == (0, 0, int(screen[0]), int(screen[1])), "full screen to cover the screen")
    check(True, f"the picture covers the whole screen ({screen[0]}x{screen[1]})")
    time.sleep(1)  # libVLC draws the bigger picture from its next frame on
    shot("full-screen.png")

    # Still for two seconds, the bar hides; the mouse moving brings it back.
    def bar_showing():
        button = find(full, "push button", "一時停止")
        return button is not None and button.get_state_set().contains(Atspi.StateType.SHOWING)
    wait_for(lambda: not bar_showing() or None, "the bar to hide when the mouse is still", timeout=6)
    xdotool("mousemove", "400", "300", "mousemove", "420", "320")
    wait_for(bar_showing, "the bar to show while the mouse moves")
    check(True, "full screen: the bar hides when still and shows when the mouse moves")

    wid = window_id("全画面表示")
    xdotool("windowfocus", "--sync", wid)
    xdotool("key", "Escape")
    wait_for(lambda: p.window("全画面表示") is None or not p.window("全画面表示").get_state_set().contains(
        Atspi.StateType.SHOWING) or None, "full screen to end")
    picture = wait_for(lambda: find(p.main, None, "映像", showing=True), "the picture back in the window")
    check(extents(picture) == before, f"Esc brings back the window's layout ({extents(picture)} vs {before})")

    # The bar's time label takes no click itself: the click gives the
    # control the keyboard without playing or pausing.
    xdotool("windowfocus", "--sync", window_id("Kordaline"))
    label = wait_for(lambda: next((n for n in walk(p.main) if n.get_role_name() == "label"
                                   and " / " in (n.get_name() or "")), None), "the time label")
    x, y = centre(label)
    xdotool("mousemove", str(x), str(y), "click", "1")
    wait_for(lambda: find(p.main, "push button", "一時停止"), "the video playing")
    xdotool("key", "space")
    wait_for(lambda: find(p.main, "push button", "再生"), "Space to pause")
    xdotool("key", "space")
    wait_for(lambda: find(p.main, "push button", "一時停止"), "Space to play again")
    check(True, "Space with the control focused pauses and plays")

    x, y = centre(wait_for(lambda: find(p.main, None, "映像", showing=True), "the picture"))
    watch.popups.clear()
    xdotool("mousemove", str(x), str(y), "click", "3")
    menu = watch.wait("the context menu again")
    press(next(menu.get_child_at_index(i) for i in range(menu.get_child_count())
               if menu.get_child_at_index(i).get_name() == "プロパティ"))
    properties = wait_for(lambda: p.window("プロパティ"), "the properties window")
    wanted = {"映像.avi", "640 × 480", "25.000 fps"}
    labels = wait_for(lambda: (lambda names: names if wanted <= names else None)(
        {n.get_name() for n in walk(properties) if n.get_role_name() == "label"}), "the file's properties")
    check(any(n.startswith("映像: MPEG-4") for n in labels), f"properties: size, rate and codecs ({sorted(labels)})")
    shot("properties.png")

    code = p.quit()
    check(code == 0, f"the program ended with code 0 ({code})")


if __name__ == "__main__":
    run_scenario(main)
