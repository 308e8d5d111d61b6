"""Play lists in the real program, driven from outside: two media files are
opened, deleting with nothing selected is refused, the list is saved and the
program ends. A second run reads the list back, plays a clicked entry, adds
a file and overwrites the list. Run through run-e2e.sh."""

import os
import subprocess

from e2e_session import WORK, Program, check, eventually, find, log, press, run_scenario, wait_for, walk


def make_tone(path, seconds):
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", path,
                    "synth", str(seconds), "sine", "440", "vol", "0.3"], check=True)


def window_with_label(p, text):
    for i in range(p.app.get_child_count()):
        window = p.app.get_child_at_index(i)
        if window is not None and find(window, "label", text):
            return window
    return None


def message_box(p, text):
    """Waits for a message box with text, presses its OK button, and returns
    the box's title."""
    box = wait_for(lambda: window_with_label(p, text), f"the message {text!r}")
    title = box.get_name()
    ok = wait_for(lambda: next((n for n in walk(box) if n.get_role_name() == "push button"), None), "OK")
    press(ok)
    wait_for(lambda: window_with_label(p, text) is None or None, "the message box to close")
    return title


def playing(p):
    return find(p.main, "push button", "一時停止") is not None



def main():
    folder = os.path.join(WORK, "音楽 フォルダ")
    os.makedirs(folder)
    first, second, third = (os.path.join(folder, name) for name in ("一 曲目.wav", "二曲目.wav", "三.wav"))
    for path in (first, second, third):
        make_tone(path, 20)
    list_file = os.path.join(WORK, "お気に入り.lst")

    log("first run")
    p = Program()
    p.choose("メディアファイルを開く")
    p.file_dialog("MID WAV AVI MP3", first, "開く")
    p.choose("ファイルを追加する")
    p.file_dialog("MID WAV AVI MP3", second, "開く")
    wait_for(lambda: p.play_list() == ["一 曲目.wav", "二曲目.wav"], "both files in the play list")

    p.choose("ファイルを削除する")
    title = message_box(p, "削除ファイルが選択されていません。")
    check(title == "Sorvanel", f"delete with nothing selected: message titled Sorvanel ({title!r})")
    check(p.play_list() == ["一 曲目.wav", "二曲目.wav"], "nothing was deleted")

    p.choose("名前を付けてリストを保存")
    p.file_dialog("Sorvanel_ListFile", list_file, "保存")
    wait_for(lambda: os.path.exists(list_file), "the list file")
    with open(list_file, "rb") as f:
        saved = f.read()
    check(saved == (first + "\r\n" + second + "\r\n").encode("utf-8"), f"list file bytes ({saved!r})")
    code = p.quit()
    check(code == 0, f"first run ended with code 0 ({code})")

    log("second run")
    p = Program()
    check(p.play_list() == [], "a new run starts with an empty play list")
    p.choose("リストファイルを開く")
    p.file_dialog("Sorvanel_ListFile", list_file, "開く")
    wait_for(lambda: p.play_list() == ["一 曲目.wav", "二曲目.wav"], "the list read back")
    check(p.status_panel(2) == list_file, "status bar panel 2 shows the list file")
    check(not p.enabled("リストを上書き保存") and p.enabled("リストを閉じる"), "list menus after opening")

    p.click_entry(1)
    eventually(lambda: p.title_line() == "二曲目.wav", "the clicked entry in the title line")
    eventually(lambda: playing(p), "the clicked entry plays")

    p.choose("ファイルを追加する")
    p.file_dialog("MID WAV AVI MP3", third, "開く")
    wait_for(lambda: p.play_list() == ["一 曲目.wav", "二曲目.wav", "三.wav"], "the added file")
    p.choose("リストを上書き保存")
    wait_for(lambda: open(list_file, "rb").read().count(b"\r\n") == 3, "the overwritten list")
    with open(list_file, "rb") as f:
        saved = f.read()
    check(saved == (first + "\r\n" + second + "\r\n" + third + "\r\n").encode("utf-8"), "overwrite wrote all three")

    p.choose("リストを閉じる")
    wait_for(lambda: p.play_list() == [], "the play list to empty")
    check(p.status_panel(2) == "" and p.enabled("CDプレーヤー") and not p.enabled("ファイルを削除する"),
          "close: panel 2 empty, start-up menus")
    code = p.quit()
    check(code == 0, f"second run ended with code 0 ({code})")


if __name__ == "__main__":
    run_scenario(main)
