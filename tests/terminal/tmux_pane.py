"""A shell in a detached tmux pane, and a program started from it.

Shared by the real-terminal tests. Every wait is bounded by TIMEOUT.
"""

import os
import shlex
import shutil
import subprocess
import tempfile
import time
import unittest

TMUX = "tmux"
TIMEOUT = 5.0


class Pane:
    """A shell in a detached tmux pane on a server of its own."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.socket = os.path.join(workdir, "tmux.sock")
        self.env = {k: v for k, v in os.environ.items() if k != "TMUX"}
        self.env.update(LANG="C.UTF-8", LC_ALL="C.UTF-8", PS1="$ ",
                        HOME=workdir, ENV="")
        self.tmux("-f", "/dev/null", "new-session", "-d", "-x", "80",
                  "-y", "25", "-s", "probe", "sh")

    def tmux(self, *args):
        done = subprocess.run([TMUX, "-S", self.socket, *args], env=self.env,
                              capture_output=True, text=True, timeout=TIMEOUT)
        if done.returncode != 0:
            raise AssertionError("tmux %s: %s" % (args[0], done.stderr))
        return done.stdout

    def close(self):
        subprocess.run([TMUX, "-S", self.socket, "kill-server"],
                       env=self.env, capture_output=True, timeout=TIMEOUT)

    def rows(self, colours=False):
        args = ["capture-pane", "-p", "-t", "probe"]
        return self.tmux(*args, *(["-e"] if colours else [])).split("\n")

    def var(self, name):
        return self.tmux("display-message", "-p", "-t", "probe",
                         "#{%s}" % name).strip()

    def keys(self, *keys):
        self.tmux("send-keys", "-t", "probe", *keys)

    def text(self, text):
        self.tmux("send-keys", "-t", "probe", "-l", text)

    def run(self, command):
        self.text(command)
        self.keys("Enter")

    def wait_for(self, what, condition):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.02)
        raise AssertionError("timed out waiting for %s; the screen:\n%s"
                             % (what, "\n".join(self.rows())))

    def file(self, name):
        return os.path.join(self.workdir, name)

    def wait_for_file(self, name):
        """A file the shell writes with a trailing line feed."""
        path = self.file(name)
        self.wait_for("the shell to write " + name, lambda: written(path))
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read().strip()


def written(path):
    """Whether the shell has written the whole line of `path`."""
    if not os.path.exists(path):
        return False
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read().endswith("\n")


def proc(pid, name):
    try:
        with open("/proc/%s/%s" % (pid, name)) as f:
            return f.read()
    except OSError:
        return None


def pid_in(name, directory):
    """The pid of the process `name` running in `directory`, or None."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if proc(pid, "comm") == name + "\n" and \
                    os.readlink("/proc/%s/cwd" % pid) == os.path.realpath(directory):
                return pid
        except OSError:
            pass
    return None


def waits(pid):
    """How often the process has gone to sleep, and whether it sleeps now
    (blocked reading the terminal), or None where /proc cannot tell."""
    if pid is None:
        return None
    stat = proc(pid, "stat")
    status = proc(pid, "status")
    if stat is None or status is None:
        return None
    for line in status.splitlines():
        if line.startswith("voluntary_ctxt_switches:"):
            return int(line.split()[1]), stat[stat.rindex(")"):].split()[1]
    return None


def send_and_wait(pane, pid, send, what):
    """Sends a key and waits until the program waits for the next one: a key
    typed before that would be discarded with the input typed ahead."""
    before = waits(pid)
    send()
    if before is None:
        time.sleep(0.3)
        return

    def waiting_again():
        now = waits(pid)
        return now is not None and now[0] > before[0] and now[1] == "S"
    pane.wait_for(what, waiting_again)


class PaneTest(unittest.TestCase):
    """Each test with a pane of its own, in a directory of its own."""

    def setUp(self):
        self.workdir = tempfile.mkdtemp(prefix="bellform-term-")
        self.pane = Pane(self.workdir)

    def tearDown(self):
        self.pane.close()
        shutil.rmtree(self.workdir, ignore_errors=True)

    def start_program(self, command, ready="Input mouth width", name="bellform",
                      alternate=True):
        """Runs the shell command in the test's directory, the terminal's
        modes saved beforehand in the file "before", and waits for `ready`
        on the screen (the alternate one, unless told otherwise)."""
        p = self.pane
        p.run("cd %s && stty -g > before; clear" % shlex.quote(self.workdir))
        p.wait_for_file("before")
        p.run(command)
        p.wait_for(repr(ready), lambda: (not alternate or p.var("alternate_on") == "1")
                   and ready in "\n".join(p.rows()))
        self.pid = pid_in(name, self.workdir)

    def assert_terminal_given_back(self, status=130, keys=("C-c",)):
        """The keys end the program with `status`, off the alternate screen
        and with the terminal's modes as they were before it (the file
        "before"); the files that tell are removed, for a program started
        again."""
        p = self.pane
        p.keys(*keys)
        p.wait_for("the alternate screen to be left",
                   lambda: p.var("alternate_on") == "0")
        p.run("echo $? > status; stty -g > after")
        self.assertEqual(p.wait_for_file("after"), p.wait_for_file("before"))
        self.assertEqual(p.wait_for_file("status"), str(status))
        for name in ("status", "after", "before"):
            os.remove(p.file(name))

    def type(self, keys):
        """Each character typed alone, a carriage return as Enter, each
        taken by the program (self.pid) before the next is sent."""
        p = self.pane
        for key in keys:
            send = (lambda: p.keys("Enter")) if key == "\r" else \
                   (lambda k=key: p.text(k))
            send_and_wait(p, self.pid, send, "the program to take %r" % key)
