// The console's title on a terminal: the status line where terminfo has
// one, else the window title of an xterm-like terminal, else none.
#include "terminal/wide_curses.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "terminal/cp437.h"
#include "terminal/terminal.h"

namespace bellform {

namespace {

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
  for (const char* p = title; *p != '\0'; ++p) {
    const unsigned char byte = static_cast<unsigned char>(*p);
    char bytes[4];
    std::size_t len = 1;
    bytes[0] = byte < 0x20 || byte == 0x7F ? ' ' : static_cast<char>(byte);
    if (byte >= 0x80) {
      if (terminal_utf8()) {
        len = utf8_encode(cp437_glyph(byte), bytes);
      } else {
        bytes[0] = '?';
      }
    }
    if (len >= size - n) break;
    std::memcpy(out + n, bytes, len);
    n += len;
  }
  return n;
}

}  // namespace

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
  // Whatever is still held (entering the alternate screen, which on xterm
  // also saves the old title) must reach the terminal first.
  flush_drawing();
  ssize_t ignored = write(terminal_fd(), seq, n);
  (void)ignored;
}

}  // namespace bellform
