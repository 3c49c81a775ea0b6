#include "console/line_editor.h"

#include <cstring>

#include "console/console.h"
#include "console/console_size.h"
#include "console/keys.h"

namespace bellform {

namespace {

// A cell of the screen by its column and row.
struct Position {
  int column = 0;
  int row = 0;
};

struct Editor {
  char* text;
  std::size_t size;    // of the buffer: at most size - 1 characters
  std::size_t length;  // of the text
  std::size_t cursor = 0;
  bool insert = true;
  Position origin;
  Position at_cursor;  // where the character under the cursor was drawn
  Position at_end;     // where the terminator's blank was drawn
};

// Whether writing `c` made the console scroll: the character should have
// taken the cursor to the next row, yet the row stayed.
bool scrolled(char c, Position before, Position after) {
  if (after.row != before.row) return false;
  if (c == '\n') return true;
  return after.column < before.column && c != '\r' && c != '\b';
}

Position cursor_position() {
  Position c;
  get_cursor(&c.column, &c.row);
  return c;
}

// The console wraps a long text onto the next rows, and scrolls when that
// runs past the bottom. Each cell is read back from the console as it is
// drawn, so the cursor lands on the character it is on, and the origin
// follows the text when the screen scrolls under it.
void draw(Editor& e) {
  set_cursor(e.origin.column, e.origin.row);
  Position before = cursor_position();
  for (std::size_t i = 0; i <= e.length; ++i) {
    if (i == e.cursor) e.at_cursor = before;
    if (i == e.length) e.at_end = before;
    // The blank after the text wipes the cell a deletion has just freed.
    const char c = i < e.length ? e.text[i] : ' ';
    write_char(c, attr_normal);
    const Position after = cursor_position();
    if (scrolled(c, before, after)) {
      if (e.origin.row > 0) --e.origin.row;
      if (i >= e.cursor && e.at_cursor.row > 0) --e.at_cursor.row;
      if (i >= e.length && e.at_end.row > 0) --e.at_end.row;
    }
    before = after;
  }
  set_cursor(e.at_cursor.column, e.at_cursor.row);
}

void erase_at(Editor& e, std::size_t index) {
  std::memmove(e.text + index, e.text + index + 1, e.length - index);
  --e.length;
}

// A character typed into a full buffer is dropped, never written past it.
void type_char(Editor& e, char c) {
  const bool at_end = e.cursor == e.length;
  if ((e.insert || at_end) && e.length + 1 >= e.size) return;
  if (e.insert) {
    std::memmove(e.text + e.cursor + 1, e.text + e.cursor,
                 e.length - e.cursor + 1);
    ++e.length;
  } else if (at_end) {
    e.text[++e.length] = '\0';
  }
  e.text[e.cursor++] = c;
}

// Past the next field mark and on to the second character after it, or to
// the end. The character under the cursor is not tested.
void tab(Editor& e) {
  if (e.cursor == e.length) return;
  do {
    ++e.cursor;
  } while (e.cursor < e.length &&
           static_cast<unsigned char>(e.text[e.cursor]) != field_mark);
  if (e.cursor < e.length) {
    ++e.cursor;
    if (e.cursor < e.length) ++e.cursor;
  }
}

void special_key(Editor& e, unsigned char code) {
  switch (code) {
    case code_insert:
      e.insert = !e.insert;
      break;
    case code_home:
      e.cursor = 0;
      break;
    case code_end:
      e.cursor = e.length;
      break;
    case code_left:
      if (e.cursor > 0) --e.cursor;
      break;
    case code_right:
      if (e.cursor < e.length) ++e.cursor;
      break;
    case code_delete:
      if (e.cursor < e.length) erase_at(e, e.cursor);
      break;
    default:  // Up, Down, Page Up, Page Down, the function keys
      break;
  }
}

// One key; false when it ends the edit.
bool act(Editor& e, int key) {
  switch (key) {
    case key_enter:
    case key_esc:
      return false;
    case key_backspace:
      if (e.cursor > 0) erase_at(e, --e.cursor);
      break;
    case key_tab:
      tab(e);
      break;
    case key_special:
      special_key(e, extended_key);
      break;
    case key_mouse:
      break;
    default:
      type_char(e, static_cast<char>(key));
  }
  return true;
}

// A text without a terminator inside its buffer is cut to fit; a line feed
// ends it.
std::size_t prepare(char* buffer, std::size_t size) {
  const void* zero = std::memchr(buffer, '\0', size);
  std::size_t length =
      zero != nullptr ? static_cast<std::size_t>(
                            static_cast<const char*>(zero) - buffer)
                      : size - 1;
  buffer[length] = '\0';
  if (char* lf = static_cast<char*>(std::memchr(buffer, '\n', length))) {
    *lf = '\0';
    length = static_cast<std::size_t>(lf - buffer);
  }
  return length;
}

// Edits from `origin`, which moves up when the drawing scrolls the screen.
EditEnd edit(char* buffer, std::size_t size, Position& origin, Position* end) {
  if (size == 0) return EditEnd::enter;  // no room even for the terminator
  Editor e{buffer, size, prepare(buffer, size), 0, true, origin, {}, {}};
  int key;
  do {
    draw(e);
    key = read_key();
  } while (act(e, key));
  origin = e.origin;
  if (end != nullptr) *end = e.at_end;
  return key == key_enter ? EditEnd::enter : EditEnd::escape;
}

}  // namespace

EditEnd edit_line(char* buffer, std::size_t size, int column, int row) {
  Position origin{column, row};
  return edit(buffer, size, origin, nullptr);
}

// The line feed is written after the end of the text, so that a text that
// wrapped onto the next row is not written over by what follows.
void read_line(char* buffer, std::size_t size) {
  if (size == 0) return;
  discard_typed_ahead();
  buffer[0] = '\0';
  Position origin;
  get_cursor(&origin.column, &origin.row);
  Position end;
  while (edit(buffer, size, origin, &end) != EditEnd::enter) {
  }
  set_cursor(end.column, end.row);
  write_char('\n', attr_normal);
}

}  // namespace bellform
