"""Drives the real Sorvan window from outside, through the desktop
accessibility interface (AT-SPI) and the X server's mouse, as a person would:
open a media file through the dialog, save the play list, close it, open it
again, click an entry, enter and leave CD mode, open the help and version
windows, and quit. Every step reads the menus and texts back and checks them.

Run through run-e2e.sh, which provides Xvfb and the session bus; the other
scenarios of this folder use the helpers below."""

import os
import shutil
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

PROGRAM_DIR = os.environ["SORVAN_PROGRAM_DIR"]
WORK = os.environ["SORVAN_E2E_WORK"]
failures = []


def log(text):
    print(f"e2e: {text}", flush=True)


def check(condition, what):
    if condition:
        log(f"ok   {what}")
    else:
        log(f"FAIL {what}")
        failures.append(what)


def wait_for(probe, what, timeout=15.0):
    end = time.time() + timeout
    while time.time() < end:
        try:
            value = probe()
        except Exception:  # the tree changes under us while windows open
            value = None
        if value:
            return value
        time.sleep(0.1)
    raise TimeoutError(f"timed out waiting for {what}")


def eventually(probe, what, timeout=15.0):
    """Checks that probe comes true within the time-out."""
    try:
        wait_for(probe, what, timeout)
        check(True, what)
    except TimeoutError:
        check(False, what)


def walk(node, depth=0):
    if node is None or depth > 14:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def find(root, role=None, name=None, showing=False):
    for node in walk(root):
        if role is not None and node.get_role_name() != role:
            continue
        if name is not None and node.get_name() != name:
            continue
        if showing and not node.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        return node
    return None


def sensitive(node):
    return node.get_state_set().contains(Atspi.StateType.SENSITIVE)


def press(node):
    """Runs a node's default action. An action that opens a modal dialog
    answers only when the dialog closes, so we wait briefly and go on."""
    Atspi.set_timeout(300, 0)
    try:
        node.get_action_iface().do_action(0)
    except Exception:
        pass
    finally:
        Atspi.set_timeout(-1, -1)


def text_of(node):
    text = node.get_text_iface()
    return text.get_text(0, text.get_character_count()) if text else None


def type_keys(window_title, node, keys):
    """Gives the window the keyboard (Xvfb has no window manager to do it),
    clicks into node and presses the keys on the X keyboard."""
    wid = subprocess.run(["xdotool", "search", "--name", f"^{window_title}$"], check=True,
                         capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowactivate", "--sync", wid], check=False)
    subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True)
    extents = node.get_extents(Atspi.CoordType.SCREEN)
    x, y = extents.x + extents.width // 2, extents.y + extents.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
    subprocess.run(["xdotool", "key", "--delay", "80", *keys], check=True)


class Program:
    def __init__(self, arguments=(), preexec_fn=None, env=None, stderr=None):
        """Starts the program with the command-line arguments; preexec_fn runs
        in the child before it starts (to set a limit on it); env replaces
        the environment, stderr takes the program's standard error."""
        env = env or dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        self.process = subprocess.Popen([os.path.join(PROGRAM_DIR, "Sorvan"), *arguments], cwd=PROGRAM_DIR,
                                        env=env, preexec_fn=preexec_fn, stderr=stderr, text=True)
        self.app = wait_for(self._find_app, "the program on the accessibility bus", timeout=60)
        self.main = wait_for(lambda: self.window("Kordaline"), "the main window")
        self.menubar = wait_for(lambda: find(self.main, "menu bar"), "the menu bar")

    def _find_app(self):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def window(self, name):
        for i in range(self.app.get_child_count()):
            child = self.app.get_child_at_index(i)
            if child is not None and child.get_name() == name:
                return child
        return None

    def item(self, caption):
        node = find(self.menubar, "menu item", caption)
        if node is None:
            raise LookupError(f"no menu item {caption!r}")
        return node

    def enabled(self, caption):
        return sensitive(self.item(caption))

    def choose(self, caption):
        log(f"choose {caption}")
        press(self.item(caption))

    def play_list(self):
        lst = find(self.main, "list", "プレイリスト")
        return [lst.get_child_at_index(i).get_name() for i in range(lst.get_child_count())]

    def title_line(self):
        frame = find(self.main, None, "タイトル行")
        label = find(frame, "label")
        return label.get_name() if label else None

    def status_panel(self, number):
        bar = find(self.main, None, "ステータスバー")
        labels = [n for n in walk(bar) if n.get_role_name() == "label"]
        return labels[number - 1].get_name()

    def file_dialog(self, title, path, button_prefix):
        dialog = wait_for(lambda: self.window(title), f"the dialog {title!r}")
        field = wait_for(lambda: find(dialog, "text", "ファイル名(N):"), "the file name field")
        field.get_editable_text_iface().set_text_contents(path)
        button = wait_for(
            lambda: next((n for n in walk(dialog) if n.get_role_name() == "push button"
                          and n.get_name().startswith(button_prefix) and sensitive(n)), None),
            f"the {button_prefix} button")
        press(button)
        wait_for(lambda: self.window(title) is None, f"the dialog {title!r} to close")

    def click_entry(self, index):
        lst = find(self.main, "list", "プレイリスト")
        entry = lst.get_child_at_index(index)
        extents = entry.get_extents(Atspi.CoordType.SCREEN)
        x, y = extents.x + extents.width // 2, extents.y + extents.height // 2
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)

    def quit(self):
        """Chooses 終了する; the exit code, or None when the program did not end."""
        self.choose("終了する")
        try:
            return self.process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None


def main():
    media = os.path.join(WORK, "テスト曲.wav")
    shutil.copyfile(os.path.join(PROGRAM_DIR, "Start.wav"), media)
    list_file = os.path.join(WORK, "お気に入り.lst")

    p = Program()
    check(p.enabled("メディアファイルを開く") and p.enabled("リストファイルを開く"), "start-up: open items offered")
    check(not p.enabled("名前を付けてリストを保存") and not p.enabled("CDを終了する"), "start-up: save and CD end off")
    check(p.play_list() == [] and p.title_line() == "", "start-up: empty play list and title")
    check(p.status_panel(1) == "ListName", "status bar panel 1")

    p.choose("メディアファイルを開く")
    p.file_dialog("MID WAV AVI MP3", media, "開く")
    wait_for(lambda: p.play_list() == ["テスト曲.wav"], "the opened file in the play list")
    check(p.title_line() == "テスト曲.wav", "title line shows the opened file")
    check(p.enabled("名前を付けてリストを保存") and p.enabled("ファイルを削除する"), "save and delete offered")
    check(not p.enabled("CDプレーヤー"), "CD menu off while files play")

    p.choose("名前を付けてリストを保存")
    p.file_dialog("Sorvanel_ListFile", list_file, "保存")
    wait_for(lambda: os.path.exists(list_file), "the list file")
    with open(list_file, "rb") as f:
        saved = f.read()
    check(saved == (media + "\r\n").encode("utf-8"), f"list file holds the path and CR LF ({saved!r})")
    check(p.enabled("リストを閉じる"), "close offered after saving")

    p.choose("リストを閉じる")
    wait_for(lambda: p.play_list() == [], "the play list to empty")
    check(not p.enabled("名前を付けてリストを保存") and p.enabled("CDプレーヤー"), "closed: start-up menus")

    p.choose("リストファイルを開く")
    p.file_dialog("Sorvanel_ListFile", list_file, "開く")
    wait_for(lambda: p.play_list() == ["テスト曲.wav"], "the list read back")
    check(p.status_panel(2) == list_file, "status bar shows the list file")
    check(not p.enabled("リストを上書き保存"), "overwrite off right after opening")

    p.click_entry(0)
    eventually(lambda: p.title_line() == "テスト曲.wav", "clicking an entry shows it in the title line")

    p.choose("リストを閉じる")
    wait_for(lambda: p.enabled("CDプレーヤー"), "the CD menu")
    p.choose("CDを演奏する")
    wait_for(lambda: p.enabled("CDを終了する"), "CD mode")
    check(not p.enabled("ファイル") and not p.enabled("リスト") and not p.enabled("編集"), "CD mode locks the menus")
    p.choose("CDを終了する")
    wait_for(lambda: p.enabled("ファイル"), "CD mode left")
    check(p.enabled("CDを演奏する") and not p.enabled("CDを終了する"), "CD menu back")

    p.choose("HELPを開く")
    browser = wait_for(lambda: p.window("Internet Browser"), "the help browser window")
    box = wait_for(lambda: find(browser, "text", showing=True), "the address box")
    help_page = os.path.join(PROGRAM_DIR, "Trevixhelp.htm")
    check(text_of(box) == help_page, f"the address box holds the help page ({text_of(box)!r})")
    type_keys("Internet Browser", box, ["ctrl+a", "BackSpace", "h", "Return"])
    eventually(lambda: text_of(box) == "h", "typing h and Enter leaves h in the address box, uncompleted")
    p.choose("Version　情報")
    version = wait_for(lambda: p.window("Version情報"), "the version window")
    check(find(version, "push button", "Sorvanel") is not None, "the version window shows the name button")

    code = p.quit()
    check(code == 0, f"the program ended at once with code 0 (got {code})")


def run_scenario(scenario):
    """Runs a scenario and ends the process with its verdict."""
    try:
        scenario()
    except Exception as error:  # a step that never came is a failure, not a crash
        log(f"FAIL {error}")
        failures.append(str(error))
    log(f"{'passed' if not failures else 'failed'}: {len(failures)} failure(s)")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    run_scenario(main)
