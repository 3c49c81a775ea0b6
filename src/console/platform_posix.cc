// The console of a POSIX process: the screen model drawn with ncursesw on
// the process's own terminal, opened from /dev/tty so that redirected
// standard streams do not matter. The program runs on the terminal's
// alternate screen, the nearest thing to a console window of its own, and
// gives the terminal back whole however it ends: at exit, and on SIGINT,
// SIGTERM and SIGHUP before the signal ends the process.
//
// The console speaks code page 437: a byte 0x80-0xFF on the screen shows as
// its CP437 glyph, and a typed character arrives as its CP437 byte.

#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>

#include <fcntl.h>
#include <langinfo.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "console/platform.h"
#include "console/screen_model.h"

#if !NCURSES_WIDECHAR
#error "the console needs the wide-character curses (ncursesw)"
#endif

namespace bellform {
namespace {

constexpr Handle kConsoleIn = -10;
constexpr Handle kConsoleOut = -11;

// ---------------------------------------------------------------------------
// Code page 437.

// The glyphs of 0x80-0xFF.
constexpr wchar_t kHighGlyphs[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};

// The glyphs a console shows for the control bytes 0x00-0x1F when they sit
// in a cell (a fill can put them there; processed output never does).
constexpr wchar_t kLowGlyphs[32] = {
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,  // 00
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,  // 08
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,  // 10
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,  // 18
};

wchar_t glyph_of(unsigned char byte) {
  if (byte < 0x20) return kLowGlyphs[byte];
  if (byte == 0x7F) return 0x2302;
  if (byte < 0x80) return byte;
  return kHighGlyphs[byte - 0x80];
}

// The CP437 byte of a typed character, or -1 when the code page lacks it.
int cp437_byte_of(wint_t wc) {
  if (wc < 0x80) return static_cast<int>(wc);
  for (int i = 0; i < 128; ++i) {
    if (static_cast<wint_t>(kHighGlyphs[i]) == wc) return 0x80 + i;
  }
  return -1;
}

// ---------------------------------------------------------------------------
// The terminal and what it takes to give it back.

struct Terminal {
  SCREEN* screen = nullptr;
  FILE* out = nullptr;
  FILE* in = nullptr;
  bool utf8 = false;
  short pairs[256] = {};  // colour pair of each attribute byte, 0: none yet
  short next_pair = 1;
  Cell front[ScreenModel::kHeight][ScreenModel::kWidth];  // what is shown
  bool front_valid = false;
};

ScreenModel model;
Terminal term;

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

// A signal the process was started with ignored stays ignored.
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

bool usable(const char* cap) {
  return cap != nullptr && cap != reinterpret_cast<const char*>(-1);
}

void append_leave(const char* text) {
  if (!usable(text)) return;
  std::size_t n = std::strlen(text);
  if (n >= sizeof leave_sequence - leave_length) return;
  std::memcpy(leave_sequence + leave_length, text, n);
  leave_length += n;
}

// What endwin would send, prepared now so that a signal handler can send it
// with one write(): mouse reporting off, plain attributes, visible cursor,
// keypad back in its normal mode, and the shell's screen back.
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

void give_back_terminal() {
  if (term.screen == nullptr) return;
  endwin();
  restore_armed = 0;
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

// ---------------------------------------------------------------------------
// Colours: a console attribute is a foreground and a background of four
// bits each (1 blue, 2 green, 4 red, 8 intensity).

short curses_colour(int console_colour) {
  return static_cast<short>(((console_colour & 1) ? COLOR_BLUE : 0) |
                            ((console_colour & 2) ? COLOR_GREEN : 0) |
                            ((console_colour & 4) ? COLOR_RED : 0));
}

short pair_of(int fg, int bg) {
  const int key = (bg << 4) | fg;
  if (term.pairs[key] != 0) return term.pairs[key];
  if (term.next_pair >= COLOR_PAIRS) return 0;
  const bool bright = COLORS >= 16;
  short f = curses_colour(fg), b = curses_colour(bg);
  if (bright && (fg & 8)) f = static_cast<short>(f + 8);
  if (bright && (bg & 8)) b = static_cast<short>(b + 8);
  init_pair(term.next_pair, f, b);
  term.pairs[key] = term.next_pair;
  return term.next_pair++;
}

void look_of(std::uint16_t attr, attr_t* look, short* pair) {
  const int fg = attr & 0xF, bg = (attr >> 4) & 0xF;
  *look = A_NORMAL;
  *pair = 0;
  if (!has_colors()) {
    if (fg & 8) *look |= A_BOLD;
    if (bg & 7) *look |= A_REVERSE;
    return;
  }
  // Eight colours: intensity shows as bold, as on the text consoles.
  if (COLORS < 16 && (fg & 8)) *look |= A_BOLD;
  *pair = pair_of(fg, bg);
}

// ---------------------------------------------------------------------------
// Drawing.

void draw_cell(int x, int y, const Cell& cell) {
  wchar_t text[2] = {glyph_of(cell.ch), 0};
  if (!term.utf8 && text[0] >= 0x80) text[0] = L'?';
  attr_t look;
  short pair;
  look_of(cell.attr, &look, &pair);
  cchar_t cc;
  setcchar(&cc, text, look, pair, nullptr);
  // The bottom right cell of the terminal reports ERR because the cursor
  // cannot move past it; the cell is drawn all the same.
  mvwadd_wch(stdscr, y, x, &cc);
}

// Before each wait for input: only the cells that changed since the last
// render are handed to curses, which sends only what the terminal lacks.
void render() {
  const int rows = std::min(ScreenModel::kHeight, LINES);
  const int cols = std::min(ScreenModel::kWidth, COLS);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < cols; ++x) {
      const Cell& cell = model.at(x, y);
      Cell& shown = term.front[y][x];
      if (term.front_valid && shown.ch == cell.ch && shown.attr == cell.attr) {
        continue;
      }
      draw_cell(x, y, cell);
      shown = cell;
    }
  }
  term.front_valid = true;
  wmove(stdscr, std::min(model.cursor_y(), LINES - 1),
        std::min(model.cursor_x(), COLS - 1));
  wrefresh(stdscr);
}

// After a resize curses has resized its windows; the terminal's contents
// are unknown, so everything is drawn again, and what does not fit on a
// terminal smaller than the console is simply not shown.
void redraw_all() {
  attr_t look;
  short pair;
  look_of(7, &look, &pair);
  wbkgdset(stdscr, static_cast<chtype>(' ') | look |
                       static_cast<chtype>(COLOR_PAIR(pair)));
  werase(stdscr);
  clearok(curscr, TRUE);
  term.front_valid = false;
}

// ---------------------------------------------------------------------------
// Starting the terminal.

void configure_curses() {
  cbreak();  // not raw: Ctrl+C still raises SIGINT
  noecho();
  nonl();    // Enter arrives as a carriage return
  intrflush(stdscr, FALSE);
  keypad(stdscr, TRUE);
  meta(stdscr, TRUE);
  idlok(stdscr, TRUE);
  set_escdelay(25);
  mmask_t presses = BUTTON1_PRESSED | BUTTON2_PRESSED | BUTTON3_PRESSED |
                    BUTTON4_PRESSED;
#ifdef BUTTON5_PRESSED
  presses |= BUTTON5_PRESSED;
#endif
  mousemask(presses, nullptr);
  mouseinterval(0);  // a press is reported at once, not held for a click
  if (has_colors()) start_color();
  curs_set(1);
  redraw_all();
}

void open_tty(FILE** out, FILE** in) {
  char why[200];
  int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    std::snprintf(why, sizeof why, "cannot open /dev/tty: %s",
                  std::strerror(errno));
    no_terminal(why);
  }
  int in_fd = fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (tcgetattr(fd, &saved_tty) != 0 || in_fd < 0 ||
      (*out = fdopen(fd, "w")) == nullptr ||
      (*in = fdopen(in_fd, "r")) == nullptr) {
    std::snprintf(why, sizeof why, "cannot use /dev/tty: %s",
                  std::strerror(errno));
    no_terminal(why);
  }
  tty_fd = fd;
}

void start_terminal() {
  if (term.screen != nullptr) return;
  // Only the character type: numbers keep the C locale's decimal point.
  std::setlocale(LC_CTYPE, "");
  term.utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
  open_tty(&term.out, &term.in);
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
  prepare_leave_sequence();
  restore_armed = 1;
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

// ---------------------------------------------------------------------------
// The window title.

bool xterm_like(const char* type) {
  if (tigetflag("XT") > 0) return true;
  if (type == nullptr) return false;
  for (const char* prefix : {"xterm", "rxvt", "screen", "tmux"}) {
    if (std::strncmp(type, prefix, std::strlen(prefix)) == 0) return true;
  }
  return false;
}

// The title in the terminal's encoding; control bytes would end the title
// sequence early, so they become blanks.
std::size_t encode_title(const char* title, char* out, std::size_t size) {
  std::size_t n = 0;
  std::mbstate_t state{};
  for (const char* p = title; *p != '\0'; ++p) {
    const unsigned char byte = static_cast<unsigned char>(*p);
    char bytes[MB_LEN_MAX];
    std::size_t len = 1;
    bytes[0] = byte < 0x20 || byte == 0x7F ? ' ' : static_cast<char>(byte);
    if (byte >= 0x80) {
      len = term.utf8 ? std::wcrtomb(bytes, glyph_of(byte), &state) : 0;
      if (len == static_cast<std::size_t>(-1) || len == 0) {
        bytes[0] = '?';
        len = 1;
      }
    }
    if (len >= size - n) break;
    std::memcpy(out + n, bytes, len);
    n += len;
  }
  return n;
}

void send_title(const char* title) {
  const char* start = nullptr;
  const char* end = nullptr;
  if (usable(tigetstr("tsl")) && usable(tigetstr("fsl")) &&
      tigetflag("hs") > 0) {
    start = tiparm(tigetstr("tsl"), 0);
    end = tigetstr("fsl");
  } else if (xterm_like(std::getenv("TERM"))) {
    start = "\033]0;";
    end = "\007";
  }
  if (!usable(start) || !usable(end)) return;  // no title on this terminal
  char seq[400];
  std::size_t n = std::min(std::strlen(start), sizeof seq / 4);
  std::memcpy(seq, start, n);
  const std::size_t end_len = std::min(std::strlen(end), sizeof seq / 4);
  n += encode_title(title, seq + n, sizeof seq - n - end_len);
  std::memcpy(seq + n, end, end_len);
  n += end_len;
  // Whatever curses still holds (entering the alternate screen, which on
  // xterm also saves the old title) must reach the terminal first.
  doupdate();
  ssize_t ignored = write(tty_fd, seq, n);
  (void)ignored;
}

// ---------------------------------------------------------------------------
// Input: curses keys to console key events.

constexpr std::uint16_t vk_back = 0x08, vk_tab = 0x09, vk_return = 0x0D,
                        vk_escape = 0x1B, vk_prior = 0x21, vk_next = 0x22,
                        vk_end = 0x23, vk_home = 0x24, vk_left = 0x25,
                        vk_up = 0x26, vk_right = 0x27, vk_down = 0x28,
                        vk_insert = 0x2D, vk_delete = 0x2E, vk_f1 = 0x70;

struct KeyCode {
  int code;
  std::uint16_t vk;
  bool shift;
};

constexpr KeyCode kKeyCodes[] = {
    {KEY_PPAGE, vk_prior, false},     {KEY_NPAGE, vk_next, false},
    {KEY_END, vk_end, false},         {KEY_HOME, vk_home, false},
    {KEY_LEFT, vk_left, false},       {KEY_UP, vk_up, false},
    {KEY_RIGHT, vk_right, false},     {KEY_DOWN, vk_down, false},
    {KEY_IC, vk_insert, false},       {KEY_DC, vk_delete, false},
    {KEY_A1, vk_home, false},         {KEY_A3, vk_prior, false},
    {KEY_C1, vk_end, false},          {KEY_C3, vk_next, false},
    {KEY_SPREVIOUS, vk_prior, true},  {KEY_SNEXT, vk_next, true},
    {KEY_SEND, vk_end, true},         {KEY_SHOME, vk_home, true},
    {KEY_SLEFT, vk_left, true},       {KEY_SR, vk_up, true},
    {KEY_SRIGHT, vk_right, true},     {KEY_SF, vk_down, true},
    {KEY_SIC, vk_insert, true},       {KEY_SDC, vk_delete, true},
};

// xterm's modified cursor keys come as extended capabilities named for the
// key and the modifier: kLFT5 is Ctrl+Left. The modifier digit is one plus
// a bit set of Shift (1), Alt (2) and Ctrl (4); only Shift counts.
bool modified_key(const char* name, InputEvent* event) {
  static const struct {
    const char* name;
    std::uint16_t vk;
  } kNames[] = {{"kPRV", vk_prior}, {"kNXT", vk_next}, {"kEND", vk_end},
                {"kHOM", vk_home},  {"kLFT", vk_left}, {"kUP", vk_up},
                {"kRIT", vk_right}, {"kDN", vk_down},  {"kIC", vk_insert},
                {"kDC", vk_delete}};
  if (name == nullptr) return false;
  for (const auto& key : kNames) {
    const std::size_t len = std::strlen(key.name);
    if (std::strncmp(name, key.name, len) != 0 || name[len] < '2' ||
        name[len] > '8' || name[len + 1] != '\0') {
      continue;
    }
    *event = InputEvent::special(key.vk, ((name[len] - '1') & 1) != 0);
    return true;
  }
  return false;
}

// Windows' button-state bits; a wheel turn carries its direction in the
// high word.
InputEvent mouse_event_now() {
  MEVENT ev;
  if (getmouse(&ev) != OK) return InputEvent{};
  std::uint32_t buttons = 0;
  if (ev.bstate & BUTTON1_PRESSED) buttons |= 0x0001;  // left
  if (ev.bstate & BUTTON3_PRESSED) buttons |= 0x0002;  // right
  if (ev.bstate & BUTTON2_PRESSED) buttons |= 0x0004;  // middle
  if (ev.bstate & BUTTON4_PRESSED) buttons |= 0x00780000u;  // wheel forward
#ifdef BUTTON5_PRESSED
  if (ev.bstate & BUTTON5_PRESSED) buttons |= 0xFF880000u;  // wheel back
#endif
  return InputEvent::mouse_event(buttons);
}

InputEvent event_of_key(wint_t code) {
  const int c = static_cast<int>(code);
  switch (c) {
    case KEY_ENTER: return InputEvent::key_press(13, vk_return);
    case KEY_BACKSPACE: return InputEvent::key_press(8, vk_back);
    case KEY_BTAB: {
      InputEvent e = InputEvent::key_press(9, vk_tab);
      e.shift = true;
      return e;
    }
    case KEY_MOUSE: return mouse_event_now();
    case KEY_RESIZE: redraw_all(); return InputEvent{};
    default: break;
  }
  // F13-F24 are Shift with F1-F12, F25-F36 Ctrl, F37-F48 Ctrl+Shift, and
  // so on in groups of twelve.
  if (c >= KEY_F(1) && c <= KEY_F(63)) {
    const int n = c - KEY_F(1);
    return InputEvent::special(static_cast<std::uint16_t>(vk_f1 + n % 12),
                               (n / 12) % 2 == 1);
  }
  for (const KeyCode& key : kKeyCodes) {
    if (key.code == c) return InputEvent::special(key.vk, key.shift);
  }
  InputEvent e;
  if (modified_key(keyname(c), &e)) return e;
  return InputEvent::special(0);  // a key the reader passes over
}

// False for a character the code page lacks: it is dropped.
bool event_of_char(wint_t wc, InputEvent* event) {
  switch (wc) {
    case L'\r': *event = InputEvent::key_press(13, vk_return); return true;
    case 0x7F:
    case 0x08: *event = InputEvent::key_press(8, vk_back); return true;
    case L'\t': *event = InputEvent::key_press(9, vk_tab); return true;
    case 0x1B: *event = InputEvent::key_press(27, vk_escape); return true;
    default: break;
  }
  const int byte = cp437_byte_of(wc);
  if (byte <= 0) return false;
  *event = InputEvent::key_press(static_cast<char>(byte));
  return true;
}

[[noreturn]] void input_lost() {
  give_back_terminal();
  std::fprintf(stderr, "bellform: the terminal's input is gone\n");
  std::exit(1);
}

InputEvent wait_for_event() {
  for (int failures = 0;;) {
    wint_t wc = 0;
    errno = 0;
    const int got = wget_wch(stdscr, &wc);
    if (got == KEY_CODE_YES) return event_of_key(wc);
    InputEvent event;
    if (got == OK) {
      if (event_of_char(wc, &event)) return event;
      continue;
    }
    // A read cut short by a signal is tried again; a terminal that keeps
    // failing (hung up, closed) will never deliver another key.
    if (errno != EINTR && ++failures >= 8) input_lost();
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// The platform primitives.

// A POSIX process keeps its terminal: there is no console to leave.
void platform_free_console() {}

void platform_alloc_console() { start_terminal(); }

Handle platform_std_handle(StdHandle which) {
  return which == StdHandle::input ? kConsoleIn : kConsoleOut;
}

void platform_set_title(const char* title) {
  if (term.screen != nullptr && title != nullptr) send_title(title);
}

bool platform_set_window(Handle out, int left, int top, int right,
                         int bottom) {
  return out == kConsoleOut && model.set_window(left, top, right, bottom);
}

bool platform_screen_info(Handle out, ScreenBufferInfo* info) {
  if (out != kConsoleOut || info == nullptr) return false;
  info->width = model.width();
  info->height = model.height();
  info->cursor_x = model.cursor_x();
  info->cursor_y = model.cursor_y();
  info->attribute = model.attribute();
  return true;
}

void platform_fill_char(Handle out, char c, int count, int x, int y) {
  if (out == kConsoleOut) {
    model.fill_char(static_cast<unsigned char>(c), count, x, y);
  }
}

void platform_fill_attr(Handle out, std::uint16_t attr, int count, int x,
                        int y) {
  if (out == kConsoleOut) model.fill_attr(attr, count, x, y);
}

void platform_set_cursor(Handle out, int x, int y) {
  if (out == kConsoleOut) model.set_cursor(x, y);
}

void platform_set_attr(Handle out, std::uint16_t attr) {
  if (out == kConsoleOut) model.set_attribute(attr);
}

void platform_write(Handle out, const char* text, std::size_t length) {
  if (out == kConsoleOut && text != nullptr) model.write(text, length);
}

void platform_flush_input(Handle in) {
  if (in == kConsoleIn && term.screen != nullptr) flushinp();
}

InputEvent platform_next_event(Handle in) {
  if (in != kConsoleIn || term.screen == nullptr) input_lost();
  render();
  return wait_for_event();
}

}  // namespace bellform
