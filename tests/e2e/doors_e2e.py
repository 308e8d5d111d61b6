"""The doors answer at once and hold: a launch of a list that the window
refuses with a message ends at once and the window lives on past the OK;
OpenUri of it answers at once; a Next sent while the list dialog is up does
not start the list it opens; after hostile clients of the socket (a 1 GiB
message, 1,050 idle connections under a limit of 1,024 descriptors, garbage)
the window answers, takes a launch within a second and keeps its memory; and
with XDG_RUNTIME_DIR unusable and the fallback another user's, with a
listener of theirs in it, a launch hands it nothing and stands alone in a
checked folder of its own. Run through run-e2e.sh."""

import os
import resource
import socket
import stat
import subprocess
import tempfile
import time

from e2e_session import Atspi, WORK, check, run_scenario, wait_for
from handover_e2e import Started, launch
from list_restart_e2e import make_tone, message_box
from mpris_e2e import PLAYER, gdbus

SOCKET = os.path.join(os.environ["XDG_RUNTIME_DIR"], "sorvan.socket")


def answers():
    return "Sorvanel" in gdbus("org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2", "Identity")


def memory_mb(p):
    with open(f"/proc/{p.process.pid}/status") as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmRSS:")) / 1024


def send(chunks):
    """Sends chunks on a new connection until the window closes it: the bytes that went."""
    client, sent = socket.socket(socket.AF_UNIX), 0
    client.connect(SOCKET)
    try:
        for chunk in chunks:
            client.sendall(chunk)
            sent += len(chunk)
    except OSError:
        pass
    client.close()
    return sent


def still_takes(p, number, what):
    name = os.path.join(WORK, f"after{number}.wav")
    code, _, took = launch(name)
    wait_for(lambda: p.play_list()[-1:] == [os.path.basename(name)], f"{name} taken")
    check(code == 0 and took < 1.0 and answers(), f"after {what} the window answers and a launch hands over "
          f"({took:.2f} s)")


def stands_alone():
    tmp = tempfile.mkdtemp()
    os.chmod(tmp, 0o1777)
    squatted = os.path.join(tmp, f"sorvan-runtime-{os.getuid()}")
    os.mkdir(squatted, 0o700)
    os.chown(squatted, 65534, 65534)
    listener = subprocess.Popen(
        ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "/usr/bin/python3", "-c",
         "import socket,sys\ns=socket.socket(socket.AF_UNIX)\ns.bind(sys.argv[1])\ns.listen()\n"
         "c,_=s.accept()\nprint('heard',flush=True)\nc.sendall(b'\\x1b[31mowned\\n')\n",
         os.path.join(squatted, "sorvan.socket")], stdout=subprocess.PIPE, text=True)
    wait_for(lambda: os.path.exists(os.path.join(squatted, "sorvan.socket")), "the other user's listener")
    p = Started(os.path.join(WORK, "a.wav"), stderr=subprocess.PIPE, XDG_RUNTIME_DIR=os.path.join(WORK, "nowhere"),
                TMPDIR=tmp)
    own = [os.path.join(tmp, n) for n in os.listdir(tmp) if n.startswith(os.path.basename(squatted) + "-")]
    mode = os.lstat(own[0]) if own else None
    check(mode and stat.S_ISDIR(mode.st_mode) and stat.S_IMODE(mode.st_mode) == 0o700 and mode.st_uid == os.getuid(),
          f"the launch made a checked folder of its own ({own})")
    code = p.quit()
    first_line = (p.process.stderr.readline() or "").strip()
    check(code == 0 and first_line.endswith("this window stands alone"), f"and said so ({first_line!r})")
    check(own and not os.path.exists(own[0]), "its folder went with it")
    listener.kill()
    check(listener.communicate()[0] == "", "the other user's listener heard nothing")
    subprocess.run(["rm", "-rf", tmp], check=True)


def main():
    make_tone(os.path.join(WORK, "a.wav"), 20)
    for name in ["b.wav", "c.wav", *(f"after{i}.wav" for i in range(4))]:
        os.link(os.path.join(WORK, "a.wav"), os.path.join(WORK, name))
    listed, bad = os.path.join(WORK, "c.lst"), os.path.join(WORK, "bad.lst")
    with open(listed, "w") as f:
        f.write(os.path.join(WORK, "c.wav") + "\r\n")
    with open(bad, "wb") as f:
        f.write(b"x\0y\r\n")
    p = Started(os.path.join(WORK, "a.wav"), os.path.join(WORK, "b.wav"),
                preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_NOFILE, (1024, 1024)))
    wait_for(lambda: p.play_list() == ["a.wav", "b.wav"] and answers(), "two files, and the player on the bus")

    p.choose("リストファイルを開く")
    wait_for(lambda: p.window("Sorvanel_ListFile"), "the list dialog")
    gdbus(f"{PLAYER}.Next")
    p.file_dialog("Sorvanel_ListFile", listed, "開く")
    wait_for(lambda: p.play_list() == ["c.wav"], "the list read")
    time.sleep(1)
    check(p.title_line() == "", f"a Next sent under the list dialog did not start the list ({p.title_line()!r})")

    code, err, took = launch(bad)
    check(code == 0 and took < 1.0, f"sorvan bad.lst ends at once ({code}, {took:.2f} s, {err!r})")
    message_box(p, "ファイルがありません")
    time.sleep(1)
    desktop = Atspi.get_desktop(0)
    windows = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    windows = sum(1 for app in windows if app is not None and app.get_name() == "Sorvan")
    check(p.process.poll() is None and answers() and windows == 1, f"one window, alive past the OK ({windows})")
    began = time.monotonic()
    gdbus(f"{PLAYER}.OpenUri", "file://" + bad)
    check(time.monotonic() - began < 1.0, f"OpenUri of it answers at once ({time.monotonic() - began:.2f} s)")
    message_box(p, "ファイルがありません")

    before = memory_mb(p)
    sent = send([(1 << 30).to_bytes(4, "big")] + [b"\0" * (1 << 20)] * 1024)
    header = b"sorvan hand-over 2\n" + (10000).to_bytes(4, "big")
    sent += send([len(header).to_bytes(4, "big") + header]
                 + [(1 << 20).to_bytes(4, "big") + (b"\0\0\0\1/" * 209716)[:1 << 20]] * 1024)
    check(sent < 8 << 20, f"1 GiB messages are closed at their first wrong byte ({sent} bytes went)")
    still_takes(p, 0, "a 1 GiB message")
    resource.setrlimit(resource.RLIMIT_NOFILE, (4096, 4096))
    idle = [socket.socket(socket.AF_UNIX) for _ in range(1050)]
    for client in idle:
        client.setblocking(False)
        try:
            client.connect(SOCKET)
        except BlockingIOError:
            pass
    still_takes(p, 1, "1,050 idle connections")
    for client in idle:
        client.close()
    still_takes(p, 2, "1,050 idle connections closed")
    send([os.urandom(65536)])
    send([len(header).to_bytes(4, "big") + header[:-4] + (0xFFFFFFF0).to_bytes(4, "big")])
    still_takes(p, 3, "garbage")
    check(memory_mb(p) - before < 50, f"memory stays within +50 MB ({memory_mb(p) - before:+.1f} MB)")
    check(p.quit() == 0, "the window ends with code 0")
    stands_alone()


if __name__ == "__main__":
    run_scenario(main)
