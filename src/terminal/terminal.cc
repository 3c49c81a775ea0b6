// The process's own terminal under curses, opened from /dev/tty so that
// redirected standard streams do not matter. The program runs on the
// terminal's alternate screen, the nearest thing to a console window of its
// own, and gives the terminal back whole however it ends: at exit here, and
// on SIGINT, SIGTERM and SIGHUP in restore.cc, which also gives it back
// for a stop (Ctrl+Z) and takes it again on the way back. Curses sets the
// terminal's modes, reads the keys and makes one update to start with; the
// console's own writer draws from then on (draw.cc).
#include "terminal/wide_curses.h"

#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/platform.h"
#include "terminal/terminal.h"

namespace bellform {

namespace {

struct Terminal {
  SCREEN* screen = nullptr;
  FILE* out = nullptr;
  FILE* in = nullptr;
  int fd = -1;  // the descriptor behind `out`
  bool utf8 = false;
};

Terminal term;

void give_back_terminal() {
  if (term.screen == nullptr) return;
  stop_drawing();
  endwin();
  disarm_restore();
  delscreen(term.screen);
  term.screen = nullptr;
  std::fclose(term.out);
  std::fclose(term.in);
  term.out = term.in = nullptr;
}

[[noreturn]] void no_terminal(const char* why) {
  std::fprintf(stderr, "bellform: no terminal: %s\n", why);
  std::exit(2);
}

void configure_curses() {
  cbreak();  // not raw: Ctrl+C still raises SIGINT
  noecho();
  nonl();    // Enter arrives as a carriage return
  intrflush(stdscr, FALSE);
  start_input();
  set_escdelay(25);
  mmask_t presses = BUTTON1_PRESSED | BUTTON2_PRESSED | BUTTON3_PRESSED |
                    BUTTON4_PRESSED;
#ifdef BUTTON5_PRESSED
  presses |= BUTTON5_PRESSED;
#endif
  mousemask(presses, nullptr);
  mouseinterval(0);  // a press is reported at once, not held for a click
  curs_set(1);
  // Curses' one update: what it holds back (the alternate screen, the
  // keypad and mouse modes) reaches the terminal, and the screen is cleared.
  doupdate();
  remember_program_modes();
  start_drawing();
}

void open_tty() {
  char why[200];
  int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    std::snprintf(why, sizeof why, "cannot open /dev/tty: %s",
                  std::strerror(errno));
    no_terminal(why);
  }
  int in_fd = fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (!remember_terminal(fd) || in_fd < 0 ||
      (term.out = fdopen(fd, "w")) == nullptr ||
      (term.in = fdopen(in_fd, "r")) == nullptr) {
    std::snprintf(why, sizeof why, "cannot use /dev/tty: %s",
                  std::strerror(errno));
    no_terminal(why);
  }
  term.fd = fd;
}

}  // namespace

void start_terminal() {
  if (term.screen != nullptr) return;
  // Only the character type: numbers keep the C locale's decimal point.
  std::setlocale(LC_CTYPE, "");
  term.utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
  open_tty();
  // Before newterm, so that curses leaves these signals to us.
  catch_fatal_signals();
  const char* type = std::getenv("TERM");
  char why[200];
  term.screen = newterm(nullptr, term.out, term.in);
  if (term.screen == nullptr) {
    if (type == nullptr || *type == '\0') no_terminal("TERM is not set");
    std::snprintf(why, sizeof why, "cannot use the terminal type \"%s\"",
                  type);
    no_terminal(why);
  }
  set_term(term.screen);
  arm_restore();
  static bool registered = false;
  if (!registered) registered = std::atexit(give_back_terminal) == 0;
  if (!usable(tigetstr("cup"))) {
    give_back_terminal();
    std::snprintf(why, sizeof why, "the terminal type \"%s\" cannot move "
                  "the cursor", type != nullptr ? type : "");
    no_terminal(why);
  }
  configure_curses();
}

bool terminal_started() { return term.screen != nullptr; }
bool terminal_utf8() { return term.utf8; }
int terminal_fd() { return term.fd; }

[[noreturn]] void input_lost() {
  give_back_terminal();
  std::fputs(input_gone, stderr);
  std::exit(1);
}

}  // namespace bellform
