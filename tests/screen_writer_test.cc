// The console's terminal writer (src/terminal/screen_writer.cc) against
// the terminfo entries of real terminals: its bytes are played on libvterm,
// which must then show the console model cell for cell in the console's
// explicit colours. A second libvterm parser holds the bytes to the few
// sequences the writer may send (capabilities.h): an erase, a line feed or
// anything else fails the test.
#include <fcntl.h>
#include <unistd.h>
#include <vterm.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "console/screen_model.h"
#include "terminal/cp437.h"
#include "terminal/screen_writer.h"
#include "terminal/wide_curses.h"

// Last: term.h names every capability as a macro.
#include <term.h>

namespace bellform {
namespace {

// What a cell shows: its character, its colours (-1: the terminal's own),
// bold, reverse, and whether any other attribute (underline, italic, blink,
// strike, another font) is on.
struct Shown {
  char32_t ch = U' ';
  int fg = -1, bg = -1;
  bool bold = false, reverse = false, other = false;
  bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& c, std::ostream* os) {
  *os << "U+" << std::hex << unsigned(c.ch) << std::dec << " fg " << c.fg << " bg " << c.bg
      << (c.bold ? " bold" : "") << (c.reverse ? " reverse" : "") << (c.other ? " other" : "");
}

int colour_of(const VTermColor& c, bool foreground) {
  if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&c) : VTERM_COLOR_IS_DEFAULT_BG(&c)) return -1;
  return VTERM_COLOR_IS_INDEXED(&c) ? c.indexed.idx : -2;
}

// A terminal of rows x cols with automatic margins, on libvterm, which wraps
// as xterm does (xenl): a character in the last column waits for the next to
// wrap. On a terminal without xenl a character in the bottom right corner
// scrolls the screen at once, so there it fails the test.
class Terminal {
 public:
  Terminal(int rows, int cols, bool xenl, char before = '#')
      : vt_(vterm_new(rows, cols), vterm_free), checker_(vterm_new(rows, cols), vterm_free),
        rows_(rows), cols_(cols), xenl_(xenl) {
    vterm_set_utf8(vt_.get(), 1);
    vterm_set_utf8(checker_.get(), 1);
    screen_ = vterm_obtain_screen(vt_.get());
    vterm_screen_reset(screen_, 1);
    vterm_parser_set_callbacks(checker_.get(), &allowed, this);
    // Whatever the terminal showed before, in its own colours.
    for (int y = 0; y < rows; ++y) {
      const std::string row = "\x1b[" + std::to_string(y + 1) + "H" +
                              std::string(static_cast<std::size_t>(cols), before);
      vterm_input_write(vt_.get(), row.data(), row.size());
    }
  }

  void feed(const std::string& bytes) {
    for (const char& b : bytes) {
      text_ = false;
      repeat_ = 0;
      vterm_input_write(checker_.get(), &b, 1);
      const VTermPos at = cursor();
      const int last = text_ ? at.col : at.col + repeat_ - 1;  // written
      const bool corner = at.row == rows_ - 1 && last >= cols_ - 1;
      if ((text_ || repeat_ > 0) && !xenl_ && margins_ && corner) {
        ADD_FAILURE() << "a character in the bottom right corner scrolls";
      }
      vterm_input_write(vt_.get(), &b, 1);
      // libvterm (0.1.4) leaves a repeat that ends next to the last column
      // waiting to wrap, as if it had filled that column too: the cursor is
      // put back where the repeat ended, as terminals have it.
      if (repeat_ > 0 && at.col + repeat_ == cols_ - 1) {
        const std::string back =
            "\x1b[" + std::to_string(at.row + 1) + ";" + std::to_string(cols_) + "H";
        vterm_input_write(vt_.get(), back.data(), back.size());
      }
    }
  }

  Shown at(int x, int y) const {
    VTermScreenCell c;
    vterm_screen_get_cell(screen_, VTermPos{y, x}, &c);
    const VTermScreenCellAttrs& a = c.attrs;
    return {c.chars[0], colour_of(c.fg, true), colour_of(c.bg, false), a.bold != 0, a.reverse != 0,
            (a.underline | a.italic | a.blink | a.strike | a.font) != 0};
  }
  VTermPos cursor() const {
    VTermPos at;
    vterm_state_get_cursorpos(vterm_obtain_state(vt_.get()), &at);
    return at;
  }

 private:
  // The sequences the writer may send; anything else fails the test.
  static int on_text(const char*, std::size_t len, void* self) {
    static_cast<Terminal*>(self)->text_ = true;
    return static_cast<int>(len);
  }
  static int on_control(unsigned char c, void*) {
    // Backspace, carriage return, and shift in and out from some sgr0.
    if (c == 0 || !std::strchr("\b\r\x0e\x0f", c)) {
      ADD_FAILURE() << "control byte " << int(c);
    }
    return 1;
  }
  static int on_escape(const char* bytes, std::size_t len, void*) {
    if (std::string(bytes, len) != "(B") {  // the ASCII character set
      ADD_FAILURE() << "escape sequence ESC " << std::string(bytes, len);
    }
    return 1;
  }
  static int on_csi(const char* leader, const long args[], int argc,
                    const char*, char command, void* self) {
    if (leader != nullptr && leader[0] == '?' && argc == 1 && args[0] == 7 &&
        (command == 'h' || command == 'l')) {  // the margins on and off
      static_cast<Terminal*>(self)->margins_ = command == 'h';
    } else if (command == 'b' && leader == nullptr) {
      static_cast<Terminal*>(self)->repeat_ = CSI_ARG_COUNT(args[0]);
    } else if (leader != nullptr || !std::strchr("HGCDm@", command)) {
      ADD_FAILURE() << "control sequence " << (leader ? leader : "")
                    << " ending in " << command;
    }
    return 1;
  }
  static constexpr VTermParserCallbacks allowed = {
      on_text, on_control, on_escape, on_csi, nullptr, nullptr, nullptr};

  std::unique_ptr<VTerm, void (*)(VTerm*)> vt_;
  std::unique_ptr<VTerm, void (*)(VTerm*)> checker_;
  VTermScreen* screen_ = nullptr;
  int rows_, cols_;
  bool xenl_;
  bool text_ = false;
  int repeat_ = 0;  // the count of a repeat just read
  bool margins_ = true;
};

// A writer on one terminal type's terminfo entry, loaded for the test's
// length, for a terminal of rows x cols.
struct Writer : ScreenWriter {
  Writer(const char* type, int rows = 25, int cols = 80, bool utf8 = true)
      : null_fd(open("/dev/null", O_WRONLY)) {
    int error = 0;
    loaded = setupterm(type, null_fd, &error) == OK;
    if (loaded) load_capabilities(utf8);
    resize(rows, cols);
  }
  ~Writer() {
    if (loaded) del_curterm(cur_term);
    if (null_fd >= 0) close(null_fd);
  }
  // The bytes that bring the terminal to the model.
  std::string sent(const ScreenModel& model) {
    std::string out;
    update(model, out);
    return out;
  }
  int null_fd;
  bool loaded = false;
};

// How the terminal must show a console attribute: in sixteen colours, in
// eight with intensity as bold, or without colours, intensity as bold and a
// coloured background as reverse.
enum class Palette { sixteen, eight, none };

// Each console colour (1 blue, 2 green, 4 red, 8 intensity) as its ANSI
// number (1 red, 2 green, 4 blue, 8 bright).
constexpr int ansi_colour[16] = {0, 4, 2, 6, 1, 5, 3, 7,
                                 8, 12, 10, 14, 9, 13, 11, 15};

Shown expected(unsigned char ch, std::uint16_t attr, Palette palette) {
  const int fg = attr & 0xF, bg = (attr >> 4) & 0xF;
  Shown c;
  c.ch = static_cast<char32_t>(cp437_glyph(ch));
  if (palette == Palette::sixteen) {
    c.fg = ansi_colour[fg];
    c.bg = ansi_colour[bg];
  } else if (palette == Palette::eight) {
    c.fg = ansi_colour[fg & 7];
    c.bg = ansi_colour[bg & 7];
  }
  c.bold = palette != Palette::sixteen && fg >= 8;
  c.reverse = palette == Palette::none && (bg & 7) != 0;
  return c;
}

struct Case {
  const char* type;
  Palette palette;
  bool xenl;
  int rows, cols;
};

void expect_shows(const Terminal& term, const ScreenModel& model,
                  const Case& c, const std::string& sent) {
  for (int y = 0; y < c.rows; ++y) {
    for (int x = 0; x < c.cols; ++x) {
      const bool inside = x < console_columns && y < console_rows;
      ASSERT_EQ(term.at(x, y),
                inside ? expected(model.at(x, y).ch, model.at(x, y).attr,
                                  c.palette)
                       : expected(' ', 7, c.palette))
          << c.type << " " << c.cols << "x" << c.rows << ": cell " << x
          << "," << y << "; sent " << testing::PrintToString(sent);
    }
  }
  EXPECT_EQ(term.cursor().col, std::min(model.cursor_x(), c.cols - 1)) << c.type;
  EXPECT_EQ(term.cursor().row, std::min(model.cursor_y(), c.rows - 1)) << c.type;
}

const Case cases[] = {
    {"xterm-256color", Palette::sixteen, true, 25, 80},
    {"xterm-256color", Palette::sixteen, true, 30, 100},
    {"xterm-256color", Palette::sixteen, true, 12, 40},
    {"xterm", Palette::eight, true, 25, 80},
    {"tmux-256color", Palette::sixteen, true, 25, 80},
    {"linux", Palette::eight, true, 25, 80},
    {"ansi", Palette::eight, false, 25, 80},
    {"ansi", Palette::eight, false, 30, 100},
    {"vt100", Palette::none, true, 25, 80},
};

// Random screens: text in the console's colours and others, fills, cursor
// moves, blank screens, scrolling; after each, the writer's bytes must bring
// the terminal to the model.
TEST(ScreenWriter, EveryCellInTheConsolesColoursAfterRandomChanges) {
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.cols << "x" << c.rows);
    Writer writer(c.type, c.rows, c.cols);
    ASSERT_TRUE(writer.loaded) << c.type;
    Terminal term(c.rows, c.cols, c.xenl);
    ScreenModel model;
    std::mt19937 random(20240521);
    const std::uint16_t attrs[] = {7, 4, 2, 3, 14, 0x1F, 0x70, 0x4E, 0x08};
    const char* texts[] = {"Input mouth width  (In.) > ", "12", "\xC5\xB0\xFE",
                           "** Bellform **\n", "          ", "x",
                           "0123456789012345678901234567890123456789"};
    for (int step = 0; step < 150; ++step) {
      const int x = static_cast<int>(random() % console_columns);
      const int y = static_cast<int>(random() % console_rows);
      const std::uint16_t attr = attrs[random() % std::size(attrs)];
      switch (random() % 6) {
        case 0:
        case 1: {
          model.set_cursor(x, y);
          model.set_attribute(attr);
          const std::string text = texts[random() % std::size(texts)];
          model.write(text.data(), text.size());
          break;
        }
        case 2:  // a blank screen, as between two reports
          model.fill_char(' ', console_columns * console_rows, 0, 0);
          model.fill_attr(7, console_columns * console_rows, 0, 0);
          model.set_cursor(x, y);
          break;
        case 3:
          model.fill_char(static_cast<unsigned char>('A' + step % 26),
                          static_cast<int>(random() % 200), x, y);
          model.fill_attr(attr, static_cast<int>(random() % 200), x, y);
          break;
        case 4:
          model.set_cursor(x, y);
          break;
        case 5:  // the bottom right corner
          model.fill_char(static_cast<unsigned char>('a' + step % 26), 1,
                          console_columns - 1, console_rows - 1);
          model.fill_attr(attr, 1, console_columns - 1, console_rows - 1);
          break;
      }
      const std::string sent = writer.sent(model);
      term.feed(sent);
      expect_shows(term, model, c, sent);
      if (testing::Test::HasFatalFailure()) return;
      EXPECT_EQ("", writer.sent(model)) << c.type;  // nothing changed: nothing sent
    }
  }
}

// What one change sends on one terminal type, its first screen already
// sent and the prompt and "123456789" typed after it in grey on black: a
// key, a cursor move, a colour.
struct Change {
  const char* name;
  const char* type;
  bool utf8;
  std::uint16_t before_attr;  // a first key in this attribute, 0: none
  const char* before;
  std::uint16_t attr;  // the change's attribute, 0: as it is
  const char* text;    // written, or nullptr: the cursor moves to x
  int x;
  const char* sent;
};

void PrintTo(const Change& c, std::ostream* os) { *os << c.name; }

class Changes : public testing::TestWithParam<Change> {
 protected:
  // Text written at the cursor in `attr` (0: the attribute as it is).
  std::string write(std::uint16_t attr, const char* text) {
    if (attr != 0) model_.set_attribute(attr);
    model_.write(text, std::strlen(text));
    return writer_.sent(model_);
  }
  Writer writer_{GetParam().type, 25, 80, GetParam().utf8};
  ScreenModel model_;
};

TEST_P(Changes, SendOnlyWhatChanged) {
  const Change& c = GetParam();
  ASSERT_TRUE(writer_.loaded) << c.type;
  writer_.sent(model_);
  model_.set_cursor(0, 1);
  write(7, "Input mouth width  (In.) > ");
  write(0, "123456789");
  if (c.before) write(c.before_attr, c.before);
  if (!c.text) model_.set_cursor(c.x, 1);
  EXPECT_EQ(c.sent, c.text ? write(c.attr, c.text) : writer_.sent(model_));
}

constexpr int answer_x = 27;  // where the answer starts, after the prompt
constexpr const char* forty = "0123456789012345678901234567890123456789";

INSTANTIATE_TEST_SUITE_P(
    ScreenWriter, Changes,
    testing::Values(
        // A key at the end of a long answer is that byte alone.
        Change{"Key", "xterm-256color", true, 0, forty, 0, "0", 0, "0"},
        Change{"KeyOnLinux", "linux", true, 0, forty, 0, "0", 0, "0"},
        Change{"KeyOnAnsi", "ansi", true, 0, forty, 0, "0", 0, "0"},
        // Backspace: a blank between two steps back; ansi's step is \E[D.
        Change{"Backspace", "xterm-256color", true, 0, nullptr, 0, "\b \b", 0, "\b \b"},
        Change{"BackspaceOnAnsi", "ansi", true, 0, nullptr, 0, "\b \b", 0, "\x1b[D \x1b[D"},
        // The cursor alone, by its cheapest way.
        Change{"Left", "xterm-256color", true, 0, nullptr, 0, nullptr, answer_x + 8, "\b"},
        Change{"RightWritesTheDigitAgain", "xterm-256color", true, 0, "\b", 0, nullptr,
               answer_x + 9, "9"},
        Change{"HomeNineStepsAtOnce", "xterm-256color", true, 0, nullptr, 0, nullptr, answer_x,
               "\x1b[9D"},
        Change{"StartOfTheRow", "xterm-256color", true, 0, nullptr, 0, nullptr, 0, "\r"},
        // A colour change sends the colour alone.
        Change{"Red", "xterm-256color", true, 0, nullptr, 4, "x", 0, "\x1b[31mx"},
        Change{"Yellow", "xterm-256color", true, 0, nullptr, 14, "y", 0, "\x1b[93my"},
        Change{"GreyAfterRed", "xterm-256color", true, 4, "x", 7, "z", 0, "\x1b[37mz"},
        // Eight colours: intensity as bold, taken back by sgr0.
        Change{"BrightOnEightColours", "xterm", true, 0, nullptr, 14, "y", 0, "\x1b[1m\x1b[33my"},
        Change{"BoldTakenBack", "xterm", true, 14, "y", 7, "g", 0, "\x1b(B\x1b[m\x1b[37m\x1b[40mg"},
        // vt100's sgr0, bold and cup carry $<n> padding: tputs delays, the
        // padding is never sent.
        Change{"PaddingLeftToTputs", "vt100", true, 0, nullptr, 14, "bold", 0, "\x1b[1mbold"},
        // A run of one character repeated through its last changed cell.
        Change{"Repeat", "xterm-256color", true, 0, nullptr, 0, "====================", 0,
               "=\x1b[19b"},
        // Without UTF-8, glyphs above ASCII are question marks.
        Change{"WithoutUtf8", "xterm-256color", false, 0, nullptr, 0, "\xC5\x01", 0, "??"}),
    [](const testing::TestParamInfo<Change>& info) { return info.param.name; });

TEST(ScreenWriter, LeavingGivesTheTerminalsOwnLookBack) {
  Writer writer("xterm-256color");
  writer.sent(ScreenModel());
  std::string sent;
  writer.leave(sent);
  // Plain attributes, the terminal's own colours, the bottom line cleared.
  EXPECT_EQ("\x1b(B\x1b[m\x1b[39;49m\x1b[25;1H\x1b[K", sent);
}

// Where the console's grey on black is the terminal's normal look, a screen
// cleared by curses needs only its text; with colours every cell is sent.
TEST(ScreenWriter, AClearedMonochromeScreenNeedsOnlyItsText) {
  Writer writer("vt100");
  ASSERT_TRUE(writer.loaded);
  writer.cleared();
  ScreenModel model;
  model.set_cursor(0, 1);
  model.write("Input", 5);
  const std::string sent = writer.sent(model);
  Terminal term(25, 80, true, ' ');
  term.feed(sent);
  expect_shows(term, model, {"vt100", Palette::none, true, 25, 80}, sent);
  EXPECT_LT(sent.size(), 30u) << sent;
}

}  // namespace
}  // namespace bellform
