// The line editor: a text edited in place on one screen row.
#pragma once

#include <cstddef>

namespace bellform {

// The field mark that Tab moves past.
constexpr unsigned char field_mark = 0xC5;

// The key that ended an edit.
enum class EditEnd { enter, escape };

// Edits the zero-terminated text in `buffer` (of `size` bytes, so at most
// size - 1 characters) drawn from column `column`, row `row`.
EditEnd edit_line(char* buffer, std::size_t size, int column, int row);

// Reads one line typed at the cursor, ended by Enter, then moves to the
// next row.
void read_line(char* buffer, std::size_t size);

}  // namespace bellform
