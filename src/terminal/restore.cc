// The terminal given back when a signal ends the process: the bytes endwin
// would send and the shell's terminal modes, prepared beforehand so that the
// signal handler needs nothing but write() and tcsetattr(). A stop (SIGTSTP,
// Ctrl+Z) gives it back the same way, and on the way back takes it again:
// the program's modes, the alternate screen, keypad and mouse modes, and a
// flag that has the next render draw the whole screen. Curses leaves SIGTSTP
// alone once it is caught here: its own handler would redraw a screen it has
// not drawn.
#include "terminal/wide_curses.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <initializer_list>

#include "files/write_all_posix.h"
#include "terminal/terminal.h"

namespace bellform {

namespace {

// Read by the signal handler: written before restore_armed is set.
volatile sig_atomic_t restore_armed = 0;
int tty_fd = -1;
struct termios saved_tty;
struct termios program_tty;
volatile sig_atomic_t program_tty_known = 0;
volatile sig_atomic_t resumed = 0;
char leave_sequence[512];
std::size_t leave_length = 0;
char enter_sequence[512];
std::size_t enter_length = 0;

// What a handler sends: the terminal is given back as far as it can be.
void send(const char* bytes, std::size_t length) {
  int ignored = 0;
  write_all(tty_fd, bytes, length, ignored);
}

void on_fatal_signal(int sig) {
  if (restore_armed) {
    send(leave_sequence, leave_length);
    tcsetattr(tty_fd, TCSANOW, &saved_tty);
  }
  // SA_RESETHAND has put back the default action: once this handler
  // returns, the signal ends the process as if it had never been caught.
  raise(sig);
}

void catch_stop(void (*handler)(int)) {
  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sa_handler = handler;
  sigemptyset(&sa.sa_mask);
  // No SA_RESTART: the wait for a key is cut short, and the screen drawn
  // again at once.
  sigaction(SIGTSTP, &sa, nullptr);
}

void on_stop_signal(int) {
  const int saved_errno = errno;
  const bool armed = restore_armed != 0;
  if (armed) {
    send(leave_sequence, leave_length);
    tcsetattr(tty_fd, TCSADRAIN, &saved_tty);
  }
  // Stopped as the default action stops it, until SIGCONT.
  catch_stop(SIG_DFL);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  raise(SIGTSTP);
  catch_stop(on_stop_signal);
  if (armed && restore_armed) {
    if (program_tty_known) tcsetattr(tty_fd, TCSADRAIN, &program_tty);
    send(enter_sequence, enter_length);
    resumed = 1;
  }
  errno = saved_errno;
}

// The text without its padding ($<n>), which tputs would have turned into a
// delay: a raw write would show it.
void append(char* sequence, std::size_t size, std::size_t* length,
            const char* text) {
  if (!usable(text)) return;
  char plain[256];
  std::size_t n = 0;
  for (const char* p = text; *p != '\0' && n < sizeof plain; ++p) {
    const char* end = p[0] == '$' && p[1] == '<' ? std::strchr(p, '>') : nullptr;
    if (end != nullptr) {
      p = end;
    } else {
      plain[n++] = *p;
    }
  }
  if (n >= size - *length) return;
  std::memcpy(sequence + *length, plain, n);
  *length += n;
}

void append_leave(const char* text) {
  append(leave_sequence, sizeof leave_sequence, &leave_length, text);
}

void append_enter(const char* text) {
  append(enter_sequence, sizeof enter_sequence, &enter_length, text);
}

// Leaving: mouse reporting off, plain attributes and colours, visible
// cursor, keypad back in its normal mode, and the shell's screen back.
// Coming back: the program's screen, keypad mode, mouse reporting and
// visible cursor again.
void prepare_sequences() {
  leave_length = enter_length = 0;
  char* mouse_mode = tigetstr("XM");
  if (usable(mouse_mode)) {
    append_leave(tiparm(mouse_mode, 0));
  } else if (usable(tigetstr("kmous"))) {
    append_leave("\033[?1000l");
  }
  append_leave(tigetstr("sgr0"));
  append_leave(tigetstr("op"));
  append_leave(tigetstr("cnorm"));
  append_leave(tigetstr("rmkx"));
  append_leave(tigetstr("rmcup"));

  append_enter(tigetstr("smcup"));
  append_enter(tigetstr("smkx"));
  if (usable(mouse_mode)) {
    append_enter(tiparm(mouse_mode, 1));
  } else if (usable(tigetstr("kmous"))) {
    append_enter("\033[?1000h");
  }
  append_enter(tigetstr("cnorm"));
}

}  // namespace

bool remember_terminal(int fd) {
  if (tcgetattr(fd, &saved_tty) != 0) return false;
  tty_fd = fd;
  return true;
}

void catch_fatal_signals() {
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGTSTP}) {
    struct sigaction old;
    if (sigaction(sig, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) {
      continue;
    }
    if (sig == SIGTSTP) {
      catch_stop(on_stop_signal);
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
  prepare_sequences();
  restore_armed = 1;
}

void disarm_restore() {
  restore_armed = 0;
  program_tty_known = 0;
}

void remember_program_modes() {
  program_tty_known = tcgetattr(tty_fd, &program_tty) == 0;
}

bool resumed_from_stop() {
  if (resumed == 0) return false;
  resumed = 0;
  return true;
}

}  // namespace bellform
