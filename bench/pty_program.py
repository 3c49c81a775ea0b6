"""The real program on an 80 x 25 pseudo-terminal of a given type, as the
benchmarks start it."""

import fcntl
import os
import pty
import struct
import termios


def start(argv, term, cwd=None):
    """Starts argv (the program, or valgrind running it) on a new 80 x 25
    pseudo-terminal speaking UTF-8; returns its pid and the terminal's
    descriptor."""
    pid, fd = pty.fork()
    if pid == 0:
        if cwd:
            os.chdir(cwd)
        os.environ.update(TERM=term, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        os.execv(argv[0], argv)
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
    return pid, fd
