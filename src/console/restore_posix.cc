// The terminal given back when a signal ends the process: the bytes endwin
// would send and the shell's terminal modes, prepared beforehand so that the
// signal handler needs nothing but write() and tcsetattr().
#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <initializer_list>

#include "console/terminal_posix.h"

namespace bellform {

namespace {

// Read by the signal handler: written before restore_armed is set.
volatile sig_atomic_t restore_armed = 0;
int tty_fd = -1;
struct termios saved_tty;
char leave_sequence[512];
std::size_t leave_length = 0;

void on_fatal_signal(int sig) {
  if (restore_armed) {
    if (leave_length > 0) {
      ssize_t ignored = write(tty_fd, leave_sequence, leave_length);
      (void)ignored;
    }
    tcsetattr(tty_fd, TCSANOW, &saved_tty);
  }
  // SA_RESETHAND has put back the default action: once this handler
  // returns, the signal ends the process as if it had never been caught.
  raise(sig);
}

void append_leave(const char* text) {
  if (!usable(text)) return;
  std::size_t n = std::strlen(text);
  if (n >= sizeof leave_sequence - leave_length) return;
  std::memcpy(leave_sequence + leave_length, text, n);
  leave_length += n;
}

// Mouse reporting off, plain attributes, visible cursor, keypad back in its
// normal mode, and the shell's screen back.
void prepare_leave_sequence() {
  leave_length = 0;
  char* mouse_mode = tigetstr("XM");
  if (usable(mouse_mode)) {
    append_leave(tiparm(mouse_mode, 0));
  } else if (usable(tigetstr("kmous"))) {
    append_leave("\033[?1000l");
  }
  append_leave(tigetstr("sgr0"));
  append_leave(tigetstr("cnorm"));
  append_leave(tigetstr("rmkx"));
  append_leave(tigetstr("rmcup"));
}

}  // namespace

bool remember_terminal(int fd) {
  if (tcgetattr(fd, &saved_tty) != 0) return false;
  tty_fd = fd;
  return true;
}

void catch_fatal_signals() {
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old;
    if (sigaction(sig, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = on_fatal_signal;
    sa.sa_flags = SA_RESETHAND;
    sigemptyset(&sa.sa_mask);
    sigaction(sig, &sa, nullptr);
  }
}

void arm_restore() {
  prepare_leave_sequence();
  restore_armed = 1;
}

void disarm_restore() { restore_armed = 0; }

}  // namespace bellform
