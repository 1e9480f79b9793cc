#!/usr/bin/python3
"""A screen reader on the accessibility bus asks the program for children by index while its
main window is resized: the program must answer every index, stale or past the end, and live.

Each run starts its own X server (Xvfb), session bus and accessibility bus, then the program,
and asks as Orca-like clients do over D-Bus:
  1. the main window's first child (the scroll area round the form) for its children count,
     then, after the window grew and its scroll bars hid, for children 2 and 3;
  2. depth first, every object for its children past the end, while the window is resized
     back and forth, and each object again for the children it had before.

Usage: atspi_stale_children.py LMR [--runs N] [--seconds S]
Runs at the screens 1366x768 and 1024x600, in ru_RU.UTF-8 and C.UTF-8. Exit 0 when the
program lived through every run, 1 when it died, 77 when a tool this needs is missing.
"""

import argparse
import importlib.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
LIMIT = 45  # seconds a run may take beyond its walk
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def missing_tools():
    missing = [t for t in ("Xvfb", "xdotool", "dbus-daemon") if shutil.which(t) is None]
    if not os.access(LAUNCHER, os.X_OK):
        missing.append(LAUNCHER + " (at-spi2-core)")
    try:
        import gi

        gi.require_version("Atspi", "2.0")
        if importlib.util.find_spec("pyatspi") is None:
            raise ImportError("pyatspi")
    except (ImportError, ValueError):
        missing.append("python3-pyatspi")
    return missing


class Died(Exception):
    pass


class Hung(Exception):
    pass


class Session:
    """Xvfb, a session bus, the accessibility bus and the program, each in a process group of
    its own so that ending it ends whatever it started."""

    def __init__(self, program, screen, locale, folder):
        self.procs = []
        self.program = None
        try:
            read, write = os.pipe()
            self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", screen + "x24",
                        "-nolisten", "tcp", "-noreset"], pass_fds=(write,))
            os.close(write)
            number = self.read_line(read, "Xvfb gave no display")
            os.close(read)
            self.env = dict(os.environ, DISPLAY=":" + number, HOME=folder,
                            XDG_CONFIG_HOME=os.path.join(folder, "config"),
                            XDG_RUNTIME_DIR=folder, LC_ALL=locale, LANG=locale)
            for k in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM"):
                self.env.pop(k, None)
            bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                                  "--print-pid=1"], env=self.env, capture_output=True, text=True,
                                 timeout=10, check=True).stdout.split()
            self.bus_pid = int(bus[1])
            self.env["DBUS_SESSION_BUS_ADDRESS"] = bus[0]
            self.start([LAUNCHER, "--launch-immediately"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
            self.env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                            QT_QPA_PLATFORM="xcb", LMR_PORTS=os.path.join(folder, "no-meter"),
                            ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:halt_on_error=1")
            self.program = self.start([program], stdout=subprocess.DEVNULL,
                                      stderr=open(os.path.join(folder, "lmr.log"), "w"))
        except BaseException:
            self.close()
            raise

    def start(self, argv, **kw):
        p = subprocess.Popen(argv, env=getattr(self, "env", None), start_new_session=True, **kw)
        self.procs.append(p)
        return p

    @staticmethod
    def read_line(fd, problem):
        deadline = time.monotonic() + 10
        data = b""
        while not data.endswith(b"\n"):
            if time.monotonic() > deadline:
                raise RuntimeError(problem)
            chunk = os.read(fd, 64)
            if not chunk:
                raise RuntimeError(problem)
            data += chunk
        return data.decode().strip()

    def alive(self):
        return self.program.poll() is None

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            p.wait(timeout=10)
        try:
            os.kill(self.bus_pid, signal.SIGKILL)
        except (ProcessLookupError, AttributeError):
            pass


def xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=5).stdout.split()


def find_frame(Atspi, pid, session, seconds=30):
    """The program's main window as the bus shows it."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not session.alive():
            raise Died("died at start")
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is None or app.get_process_id() != pid:
                    continue
                for j in range(app.get_child_count()):
                    frame = app.get_child_at_index(j)
                    if frame is not None and frame.get_name().startswith("ЛМР") and \
                            frame.get_child_count() > 0:
                        return frame
            except Exception:
                pass
        time.sleep(0.2)
    raise RuntimeError("the main window never showed on the accessibility bus")


def window_of(session):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        ids = xdotool(session.env, "search", "--onlyvisible", "--pid",
                      str(session.program.pid), "--name", "ЛМР")
        if ids:
            return ids[0]
        time.sleep(0.1)
    raise RuntimeError("no window of the program on the X server")


def ask(session, call):
    """One question over the bus; the program's death is what this is about."""
    try:
        return call()
    except Exception:
        if not session.alive():
            raise Died("died answering")
        return None


def shortest_steps(Atspi, session, frame, window):
    scroll = ask(session, lambda: frame.get_child_at_index(0))
    before = ask(session, lambda: scroll.get_child_count())
    xdotool(session.env, "windowsize", window, "1600", "1000")
    time.sleep(0.3)
    for i in (2, 3, before, 7):
        ask(session, lambda: scroll.get_child_at_index(i))
        time.sleep(0.05)
        if not session.alive():
            raise Died("died asking child %d of the scroll area that had %s" % (i, before))
    return before, ask(session, lambda: scroll.get_child_count())


def walk(Atspi, session, frame, window, seconds):
    """Depth first, past-the-end and stale children of every object, while resizing."""
    stop = threading.Event()

    def resize():
        sizes = [("600", "420"), ("1600", "1000"), ("900", "640"), ("1300", "760")]
        k = 0
        while not stop.is_set():
            w, h = sizes[k % len(sizes)]
            xdotool(session.env, "windowsize", window, w, h)
            k += 1
            stop.wait(0.12)

    resizer = threading.Thread(target=resize, daemon=True)
    resizer.start()
    asked = 0
    counts = {}
    deadline = time.monotonic() + seconds
    try:
        stack = [(frame, 0)]
        while stack and time.monotonic() < deadline:
            obj, depth = stack.pop()
            n = ask(session, lambda: obj.get_child_count())
            if n is None:
                continue
            for i in (n, n + 1, n + 5, counts.get(id(obj), n)):
                ask(session, lambda: obj.get_child_at_index(i))
                asked += 1
            counts[id(obj)] = n
            if depth < 10:
                for i in reversed(range(min(n, 25))):
                    child = ask(session, lambda: obj.get_child_at_index(i))
                    if child is not None:
                        stack.append((child, depth + 1))
            if not session.alive():
                raise Died("died in the walk")
            if not stack:
                stack = [(frame, 0)]
    finally:
        stop.set()
        resizer.join(timeout=5)
    return asked


def run(program, screen, locale, seconds, steps=True):
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi

    folder = tempfile.mkdtemp(prefix="lmr-atspi-")
    session = None
    try:
        session = Session(program, screen, locale, folder)
        # The client's bus is this session's: Atspi reads it when first asked.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = session.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["DISPLAY"] = session.env["DISPLAY"]
        Atspi.init()
        # A program that stops answering fails the run in seconds, not at the bus's 25 s.
        Atspi.set_timeout(5000, 15000)
        # Every question goes to the program, none is answered from the client's cache.
        frame = find_frame(Atspi, session.program.pid, session)
        frame.get_application().set_cache_mask(Atspi.Cache.NONE)
        window = window_of(session)
        before, after = (shortest_steps(Atspi, session, frame, window) if steps else ("-", "-"))
        asked = walk(Atspi, session, frame, window, seconds)
        time.sleep(0.2)
        if not session.alive():
            raise Died("died after the walk")
        return True, "lived: the scroll area's children %s, grown %s; %d past-the-end questions" % (
            before, after, asked)
    except Hung:
        return False, "the program gave no answer within %d s" % (LIMIT + seconds)
    except Died as e:
        code = session.program.wait(timeout=10)
        with open(os.path.join(folder, "lmr.log"), errors="replace") as log:
            lines = log.read().splitlines()
        where = [x.strip() for x in lines if x.lstrip().startswith(("#0 ", "#1 ", "#2 ", "#3 "))]
        sys.stderr.write("\n".join(where[:4]) + "\n")
        return False, "%s (exit %s)" % (e, code)
    finally:
        try:
            Atspi.exit()
        except Exception:
            pass
        if session is not None:
            session.close()
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--runs", type=int, default=1)
    parser.add_argument("--seconds", type=float, default=4.0)
    parser.add_argument("--screens", default="1366x768,1024x600")
    parser.add_argument("--locales", default="ru_RU.UTF-8,C.UTF-8")
    parser.add_argument("--walk-only", action="store_true", help="leave out the shortest steps")
    args = parser.parse_args()
    missing = missing_tools()
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return SKIP
    died = 0
    total = 0
    for _ in range(args.runs):
        for screen in args.screens.split(","):
            for locale in args.locales.split(","):
                # Each run in a child of its own: Atspi keeps its bus for the whole process.
                argv = [sys.executable, __file__, "--one", args.program, screen, locale,
                        str(args.seconds), "walk" if args.walk_only else "all"]
                try:
                    r = subprocess.run(argv, timeout=LIMIT + 30 + args.seconds,
                                       capture_output=True, text=True)
                    ok, text = r.returncode == 0, (r.stdout.strip().splitlines() or [""])[-1]
                    if not ok:
                        text += "\n    " + "\n    ".join(r.stderr.strip().splitlines()[-4:])
                except subprocess.TimeoutExpired:
                    ok, text = False, "no end within %d s" % (LIMIT + 30 + args.seconds)
                total += 1
                died += 0 if ok else 1
                print("%s %s %s: %s" % ("ok  " if ok else "DIED", screen, locale, text),
                      flush=True)
    print("%d of %d starts died" % (died, total))
    return 1 if died else 0


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--one":
        def hung(*_):
            raise Hung()

        # Raised between two questions (each answered or given up within 5 s), so that what
        # this run started is ended by it.
        signal.signal(signal.SIGALRM, hung)
        signal.alarm(int(LIMIT + float(sys.argv[5])))
        ok, text = run(sys.argv[2], sys.argv[3], sys.argv[4], float(sys.argv[5]),
                       sys.argv[6] != "walk")
        print(text)
        sys.exit(0 if ok else 1)
    sys.exit(main())
