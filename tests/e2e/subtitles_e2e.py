"""Subtitles beside a still gray video in the real program: a CP932 .srt,
.ass or .smi shows its line to the pixel as in UTF-8, and "字幕" -> "なし"
takes it away. Run through run-e2e.sh; SORVAN_E2E_SHOTS keeps screenshots."""

import os
import shutil
import subprocess
import time

from e2e_session import WORK, Program, check, find, press, run_scenario, wait_for
from player_control_e2e import PopupWatch, centre, extents, shot, xdotool

LINE = "こんにちは、世界。字幕の試験です①"
SUBTITLES = {
    "srt": f"1\r\n00:00:00,000 --> 00:10:00,000\r\n{LINE}\r\n",
    "ass": "[Script Info]\r\nScriptType: v4.00+\r\nPlayResX: 640\r\nPlayResY: 480\r\n\r\n[V4+ Styles]\r\n"
           "Format: Name, Fontname, Fontsize, PrimaryColour, Bold, Outline, Alignment, MarginV\r\n"
           "Style: Default,IPAPGothic,32,&H00FFFFFF,0,2,2,20\r\n\r\n[Events]\r\n"
           "Format: Layer, Start, End, Style, Text\r\n"
           f"Dialogue: 0,0:00:00.00,0:10:00.00,Default,{LINE}\r\n",
    "smi": f"<SAMI>\r\n<BODY>\r\n<SYNC Start=0><P Class=JAJP>{LINE}\r\n</BODY>\r\n</SAMI>\r\n",
}


def settled(picture, unlike=None):
    """The picture's pixels once the video is drawn and holds still (three
    looks alike), and differs from unlike when given."""
    looks = []

    def probe():
        x, y, w, h = extents(picture)
        png = os.path.join(WORK, "screen.png")
        subprocess.run(["import", "-window", "root", png], check=True)
        looks.append(subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "rgb:-"], check=True,
                                    capture_output=True).stdout)
        last = looks[-3:]
        middle = (h // 2 * w + w // 2) * 3
        drawn = any(last[-1][middle:middle + 3])  # the gray picture, not the black before it
        return (len(last) == 3 and last[0] == last[1] == last[2] and drawn
                and (unlike is None or last[-1] != unlike)) and last[-1]
    return wait_for(probe, "the picture to settle", timeout=30)


def main():
    film = os.path.join(WORK, "映像.avi")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "color=c=gray:size=640x480:rate=10:duration=300",
                    "-c:v", "mjpeg", film], check=True)
    cases = ["none"] + [f"{kind}-{encoding}" for kind in SUBTITLES for encoding in ("utf-8", "cp932")]
    p = Program()
    looks = {}
    for case in cases:
        folder = os.path.join(WORK, case)
        os.makedirs(folder)
        video = os.path.join(folder, "映像.avi")
        shutil.copyfile(film, video)
        if case != "none":
            kind, encoding = case.split("-", 1)
            with open(os.path.join(folder, f"映像.{kind}"), "w", encoding=encoding, newline="") as out:
                out.write(SUBTITLES[kind])
        p.choose("メディアファイルを開く")
        p.file_dialog("MID WAV AVI MP3", video, "開く")
        picture = wait_for(lambda: find(p.main, None, "映像", showing=True), "the picture")
        looks[case] = settled(picture, None if case == "none" else looks["none"])
        shot(f"{case}.png")
    for kind in SUBTITLES:
        check(looks[f"{kind}-utf-8"] != looks["none"], f".{kind} in UTF-8: the line is drawn")
        check(looks[f"{kind}-cp932"] == looks[f"{kind}-utf-8"], f".{kind} in CP932: drawn as in UTF-8, to the pixel")

    # 字幕 -> なし, as a person does it: the submenu opens under the mouse.
    watch = PopupWatch()
    x, y = centre(picture)
    xdotool("mousemove", str(x), str(y), "click", "3")
    menu = watch.wait("the context menu")
    item = next(menu.get_child_at_index(i) for i in range(menu.get_child_count())
                if menu.get_child_at_index(i).get_name() == "字幕")
    watch.popups.clear()
    x, y = centre(item)
    xdotool("mousemove", str(x), str(y))
    submenu = watch.wait("the 字幕 submenu")
    items = [submenu.get_child_at_index(i) for i in range(submenu.get_child_count())]
    check([n.get_name() for n in items] == ["なし", "トラック 1"], f"字幕 offers なし and the file's track "
          f"({[n.get_name() for n in items]})")
    shot("subtitle-menu.png")
    x, y = centre(items[0])
    xdotool("mousemove", str(x), str(y), "click", "1")
    time.sleep(0.5)
    check(settled(picture) == looks["none"], "字幕 -> なし takes the line away")

    # The choice holds for the medium when it plays again from the start.
    for caption in ("停止", "再生"):
        press(wait_for(lambda: find(p.main, "push button", caption, showing=True), f"the bar's {caption} button"))
    time.sleep(1)
    check(settled(picture) == looks["none"], "played again, the medium stays without its line")

    code = p.quit()
    check(code == 0, f"the program ended with code 0 ({code})")
    runtime = os.environ["XDG_RUNTIME_DIR"]
    left = [os.path.join(d, f) for d, _, files in os.walk(runtime) if "subtitles" in d for f in files]
    check(not left, f"no UTF-8 copy is left behind ({left})")


if __name__ == "__main__":
    run_scenario(main)
