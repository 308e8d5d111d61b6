"""The doors answer at once and hold: a later launch of a list the window
refuses with a message ends at once and the window lives on past the OK;
OpenUri of it answers at once; a Next sent while the list dialog is up does
not start the list it opens; hostile clients of the socket (a 1 GiB message,
1,050 idle connections under a limit of 1,024 descriptors, garbage) leave a
window that answers, takes launches within a second and keeps its memory; and
where the runtime folder is unusable and the fallback is another user's, with
a listener of theirs in it, a launch hands it nothing and stands alone in a
checked folder of its own. Run through run-e2e.sh."""

import os
import resource
import socket
import stat
import subprocess
import tempfile
import time

from e2e_session import Atspi, PROGRAM_DIR, WORK, Program, check, eventually, find, log, run_scenario, wait_for
from handover_e2e import SORVAN, environment, launch
from list_restart_e2e import make_tone, message_box
from mpris_e2e import PLAYER, gdbus

SOCKET = os.path.join(os.environ["XDG_RUNTIME_DIR"], "sorvan.socket")


def few_descriptors():
    resource.setrlimit(resource.RLIMIT_NOFILE, (1024, 1024))


def started(*args, env=None, limit=None, stderr=None):
    p = Program.__new__(Program)
    p.process = subprocess.Popen([SORVAN, *args], cwd=PROGRAM_DIR, env=env or environment(), preexec_fn=limit,
                                 stderr=stderr, text=True)
    p.app = wait_for(p._find_app, "the program on the accessibility bus", timeout=60)
    p.main = wait_for(lambda: p.window("Kordaline"), "the main window")
    p.menubar = wait_for(lambda: find(p.main, "menu bar"), "the menu bar")
    return p


def answers():
    return "Sorvanel" in gdbus("org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2", "Identity")


def memory_kb(p):
    with open(f"/proc/{p.process.pid}/status") as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))


def send(data_chunks):
    """Sends chunks on a new connection until the window closes it: the bytes that got through."""
    client = socket.socket(socket.AF_UNIX)
    client.connect(SOCKET)
    sent = 0
    try:
        for chunk in data_chunks:
            client.sendall(chunk)
            sent += len(chunk)
    except OSError:
        pass
    client.close()
    return sent


def still_takes(p, name, what):
    code, err, took = launch(name)
    check(code == 0 and took < 1.0 and answers(), f"after {what}: the window answers and a launch hands over "
          f"in {took:.2f} s ({code}, {err!r})")
    eventually(lambda: p.play_list()[-1:] == [os.path.basename(name)], f"after {what}: {name} taken")


def foreign_fallback():
    """XDG_RUNTIME_DIR unusable, the fallback another user's with a listener of theirs in it."""
    tmp = tempfile.mkdtemp()
    os.chmod(tmp, 0o1777)
    squatted = os.path.join(tmp, f"sorvan-runtime-{os.getuid()}")
    os.mkdir(squatted, 0o700)
    heard = os.path.join(squatted, "heard")
    open(heard, "w").close()
    os.chown(squatted, 65534, 65534)
    os.chown(heard, 65534, 65534)
    listener = subprocess.Popen(
        ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "/usr/bin/python3", "-c",
         "import socket,sys\ns=socket.socket(socket.AF_UNIX)\ns.bind(sys.argv[1]+'/sorvan.socket')\ns.listen()\n"
         "while True:\n c,_=s.accept()\n open(sys.argv[1]+'/heard','a').write('connected\\n')\n"
         " c.sendall(b'\\x1b[31mowned\\n')\n", squatted])
    wait_for(lambda: os.path.exists(os.path.join(squatted, "sorvan.socket")), "the other user's listener")
    env = environment(XDG_RUNTIME_DIR=os.path.join(WORK, "nowhere"), TMPDIR=tmp)
    p = started(os.path.join(WORK, "a.wav"), env=env, stderr=subprocess.PIPE)
    own = [os.path.join(tmp, name) for name in os.listdir(tmp) if name.startswith(os.path.basename(squatted) + "-")]
    mode = os.lstat(own[0]) if own else None
    check(mode is not None and stat.S_ISDIR(mode.st_mode) and stat.S_IMODE(mode.st_mode) == 0o700
          and mode.st_uid == os.getuid(), f"the launch made a checked folder of its own ({own})")
    check(open(heard).read() == "", "the other user's listener heard nothing")
    code = p.quit()
    err = p.process.stderr.read()
    first_line = err.splitlines()[0] if err else ""
    check(code == 0 and "stands alone" in first_line and "owned" not in err, f"it said that it stands alone "
          f"({first_line!r})")
    check(own and not os.path.exists(own[0]), "its own folder is gone with it")
    listener.kill()
    listener.wait()
    subprocess.run(["rm", "-rf", tmp], check=True)


def main():
    names = ["a.wav", "b.wav", "c.wav", *(f"after{i}.wav" for i in range(4))]
    make_tone(os.path.join(WORK, names[0]), 20)
    for name in names[1:]:
        os.link(os.path.join(WORK, names[0]), os.path.join(WORK, name))
    listed = os.path.join(WORK, "c.lst")
    with open(listed, "w") as f:
        f.write(os.path.join(WORK, "c.wav") + "\r\n")
    bad = os.path.join(WORK, "bad.lst")
    with open(bad, "wb") as f:
        f.write(b"x\0y\r\n")

    p = started(os.path.join(WORK, "a.wav"), os.path.join(WORK, "b.wav"), limit=few_descriptors)
    wait_for(lambda: p.play_list() == ["a.wav", "b.wav"] and answers(), "two files, and the player on the bus")

    log("Next while the list dialog is up")
    p.choose("リストファイルを開く")
    wait_for(lambda: p.window("Sorvanel_ListFile"), "the list dialog")
    gdbus(f"{PLAYER}.Next")
    p.file_dialog("Sorvanel_ListFile", listed, "開く")
    wait_for(lambda: p.play_list() == ["c.wav"], "the list read")
    time.sleep(1)
    check(p.title_line() == "", f"the Next sent meanwhile did not start the list ({p.title_line()!r})")

    log("sorvan bad.lst")
    code, err, took = launch(bad)
    check(code == 0 and took < 1.0, f"the launch ends at once ({code}, {took:.2f} s, {err!r})")
    message_box(p, "ファイルがありません")
    time.sleep(1)
    check(p.process.poll() is None and answers(), "the window lives on past the OK")
    desktop = Atspi.get_desktop(0)
    apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    windows = sum(1 for app in apps if app is not None and app.get_name() == "Sorvan")
    check(windows == 1, f"exactly one window ({windows})")
    began = time.monotonic()
    gdbus(f"{PLAYER}.OpenUri", "file://" + bad)
    took = time.monotonic() - began
    check(took < 1.0, f"OpenUri of it answers at once ({took:.2f} s)")
    message_box(p, "ファイルがありません")

    before = memory_kb(p)
    log("a 1 GiB message")
    gib = 1 << 30
    sent = send([gib.to_bytes(4, "big")] + [b"\0" * (1 << 20)] * 1024)
    check(sent < 64 << 20, f"a frame of 1 GiB is closed at once ({sent} bytes went)")
    header = b"sorvan hand-over 2\n" + (10000).to_bytes(4, "big")
    names_frame = (1 << 20).to_bytes(4, "big") + ((1).to_bytes(4, "big") + b"/") * 209715 + b"/"
    sent = send([len(header).to_bytes(4, "big") + header] + [names_frame] * 1024)
    check(sent < 64 << 20, f"1 GiB of frames is closed at its 10,001st name ({sent} bytes went)")
    still_takes(p, os.path.join(WORK, "after0.wav"), "a 1 GiB message")

    log("1,050 idle connections")
    resource.setrlimit(resource.RLIMIT_NOFILE, (4096, 4096))
    idle = []
    for _ in range(1050):
        client = socket.socket(socket.AF_UNIX)
        client.setblocking(False)
        try:
            client.connect(SOCKET)
        except BlockingIOError:
            pass
        idle.append(client)
    still_takes(p, os.path.join(WORK, "after1.wav"), "1,050 idle connections")
    for client in idle:
        client.close()
    time.sleep(3)
    still_takes(p, os.path.join(WORK, "after2.wav"), "1,050 idle connections closed")

    log("garbage")
    send([os.urandom(65536)])
    send([(len(header)).to_bytes(4, "big") + header[:-4] + (0xFFFFFFF0).to_bytes(4, "big")])
    still_takes(p, os.path.join(WORK, "after3.wav"), "garbage")
    grown = (memory_kb(p) - before) / 1024
    check(grown < 50, f"memory stays within +50 MB ({grown:+.1f} MB)")
    check(p.quit() == 0, "the window ends with code 0")

    log("the runtime folder")
    foreign_fallback()


if __name__ == "__main__":
    run_scenario(main)
