// The console's terminal writer (src/terminal/screen_writer.cc) against
// the terminfo entries of real terminals: its bytes are played on a small
// terminal emulator here, which must then show the console model cell for
// cell in the console's explicit colours. The emulator knows only the
// sequences the writer may use: an erase, a line feed or anything else
// unexpected fails the test.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "console/screen_model.h"
#include "terminal/cp437.h"
#include "terminal/screen_writer.h"

#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>
// Last: term.h names every capability as a macro.
#include <term.h>

namespace bellform {
namespace {

struct VCell {
  char32_t ch = U'~';
  int fg = -1;  // -1: the terminal's own colour
  int bg = -1;
  bool bold = false;
  bool reverse = false;
  bool operator==(const VCell& o) const {
    return ch == o.ch && fg == o.fg && bg == o.bg && bold == o.bold &&
           reverse == o.reverse;
  }
};

std::string describe(const VCell& c) {
  std::string s = "U+" + std::to_string(static_cast<unsigned>(c.ch)) +
                  " fg " + std::to_string(c.fg) + " bg " + std::to_string(c.bg);
  if (c.bold) s += " bold";
  if (c.reverse) s += " reverse";
  return s;
}

// A terminal of `rows` x `cols` with automatic margins, with or without
// xterm's delayed wrap (xenl).
class VirtualTerminal {
 public:
  VirtualTerminal(int rows, int cols, bool xenl, VCell fill = VCell{})
      : rows_(rows), cols_(cols), xenl_(xenl),
        cells_(static_cast<std::size_t>(rows) * cols, fill) {}

  const VCell& at(int x, int y) const { return cells_[y * cols_ + x]; }
  int x() const { return x_; }
  int y() const { return y_; }
  bool scrolled() const { return scrolled_; }

  void feed(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      if (b == 0x1B) {
        i = escape(bytes, i);
      } else if (b == '\b') {
        if (x_ > 0) --x_;
        pending_ = false;
        ++i;
      } else if (b == '\r') {
        x_ = 0;
        pending_ = false;
        ++i;
      } else if (b == 0x0F || b == 0x0E || b == 0) {
        ++i;  // shift in, shift out, padding
      } else if (b < 0x20) {
        ADD_FAILURE() << "unexpected control byte " << int(b);
        ++i;
      } else {
        char32_t c = b;
        std::size_t n = 1;
        if (b >= 0xE0) {
          c = b & 0x0F;
          n = 3;
        } else if (b >= 0xC0) {
          c = b & 0x1F;
          n = 2;
        }
        for (std::size_t k = 1; k < n && i + k < bytes.size(); ++k) {
          c = (c << 6) | (bytes[i + k] & 0x3F);
        }
        put(c);
        i += n;
      }
    }
  }

 private:
  void next_line() {
    x_ = 0;
    if (y_ + 1 < rows_) {
      ++y_;
    } else {
      scrolled_ = true;
    }
  }

  void put(char32_t c) {
    if (pending_) {
      pending_ = false;
      next_line();
    }
    VCell& cell = cells_[y_ * cols_ + x_];
    cell = pen_;
    cell.ch = c;
    last_ = c;
    if (x_ + 1 < cols_) {
      ++x_;
    } else if (xenl_) {
      pending_ = true;
    } else {
      next_line();
    }
  }

  std::size_t escape(const std::string& s, std::size_t i) {
    if (i + 1 >= s.size()) {
      ADD_FAILURE() << "a lone escape";
      return s.size();
    }
    const char kind = s[i + 1];
    if (kind == '(') return i + 3;                   // character set
    if (kind == '=' || kind == '>') return i + 2;    // keypad modes
    if (kind != '[') {
      ADD_FAILURE() << "unexpected escape sequence ESC " << kind;
      return i + 2;
    }
    std::vector<int> params(1, -1);
    std::size_t j = i + 2;
    for (; j < s.size(); ++j) {
      const char c = s[j];
      if (c >= '0' && c <= '9') {
        params.back() = (params.back() < 0 ? 0 : params.back() * 10) + (c - '0');
      } else if (c == ';') {
        params.push_back(-1);
      } else {
        break;
      }
    }
    if (j >= s.size()) {
      ADD_FAILURE() << "an unfinished control sequence";
      return j;
    }
    const char final = s[j];
    auto param = [&params](std::size_t k, int dflt) {
      return k < params.size() && params[k] > 0 ? params[k] : dflt;
    };
    pending_ = pending_ && final == 'm';
    switch (final) {
      case 'H':
        y_ = std::min(param(0, 1), rows_) - 1;
        x_ = std::min(param(1, 1), cols_) - 1;
        break;
      case 'G': x_ = std::min(param(0, 1), cols_) - 1; break;
      case 'C': x_ = std::min(x_ + param(0, 1), cols_ - 1); break;
      case 'D': x_ = std::max(x_ - param(0, 1), 0); break;
      case 'b':
        for (int k = param(0, 1); k > 0; --k) put(last_);
        break;
      case '@': {
        const int n = std::min(param(0, 1), cols_ - x_);
        VCell* row = &cells_[y_ * cols_];
        for (int k = cols_ - 1; k >= x_ + n; --k) row[k] = row[k - n];
        for (int k = x_; k < x_ + n; ++k) row[k] = VCell{U' '};
        break;
      }
      case 'm': sgr(params); break;
      default: ADD_FAILURE() << "unexpected control sequence ending in " << final;
    }
    return j + 1;
  }

  void sgr(const std::vector<int>& params) {
    for (std::size_t k = 0; k < params.size(); ++k) {
      const int p = params[k] < 0 ? 0 : params[k];
      if (p == 0) {
        pen_ = VCell{};
      } else if (p == 1) {
        pen_.bold = true;
      } else if (p == 7) {
        pen_.reverse = true;
      } else if (p == 10) {
        // the primary font
      } else if (p >= 30 && p <= 37) {
        pen_.fg = p - 30;
      } else if (p == 39) {
        pen_.fg = -1;
      } else if (p >= 40 && p <= 47) {
        pen_.bg = p - 40;
      } else if (p == 49) {
        pen_.bg = -1;
      } else if (p >= 90 && p <= 97) {
        pen_.fg = p - 90 + 8;
      } else if (p >= 100 && p <= 107) {
        pen_.bg = p - 100 + 8;
      } else if ((p == 38 || p == 48) && k + 2 < params.size() &&
                 params[k + 1] == 5) {
        (p == 38 ? pen_.fg : pen_.bg) = params[k + 2];
        k += 2;
      } else {
        ADD_FAILURE() << "unexpected attribute " << p;
      }
    }
  }

  int rows_, cols_;
  bool xenl_;
  std::vector<VCell> cells_;
  int x_ = 0, y_ = 0;
  bool pending_ = false;
  bool scrolled_ = false;
  VCell pen_;
  char32_t last_ = U' ';
};

// The terminfo entry of one terminal type, loaded for the test's length.
class Terminfo {
 public:
  explicit Terminfo(const char* type) {
    null_fd_ = open("/dev/null", O_WRONLY);
    int error = 0;
    loaded_ = setupterm(type, null_fd_, &error) == OK;
  }
  ~Terminfo() {
    if (loaded_) del_curterm(cur_term);
    if (null_fd_ >= 0) close(null_fd_);
  }
  bool loaded() const { return loaded_; }

 private:
  int null_fd_ = -1;
  bool loaded_ = false;
};

// How the terminal must show console attribute `attr`.
enum class Palette { sixteen, eight, none };

int ansi(int console_colour) {
  return (console_colour & 2) | ((console_colour & 1) << 2) |
         ((console_colour & 4) >> 2);
}

VCell expected(unsigned char ch, std::uint16_t attr, Palette palette) {
  VCell c;
  c.ch = static_cast<char32_t>(cp437_glyph(ch));
  const int fg = attr & 0xF, bg = (attr >> 4) & 0xF;
  switch (palette) {
    case Palette::sixteen:
      c.fg = ansi(fg & 7) + (fg & 8);
      c.bg = ansi(bg & 7) + (bg & 8);
      break;
    case Palette::eight:
      c.fg = ansi(fg & 7);
      c.bg = ansi(bg & 7);
      c.bold = (fg & 8) != 0;
      break;
    case Palette::none:
      c.bold = (fg & 8) != 0;
      c.reverse = (bg & 7) != 0;
      break;
  }
  return c;
}

struct Case {
  const char* type;
  Palette palette;
  bool xenl;
  int rows, cols;
};

void expect_shows(const VirtualTerminal& term, const ScreenModel& model,
                  const Case& c, const std::string& sent) {
  ASSERT_FALSE(term.scrolled()) << c.type << ": the screen scrolled";
  for (int y = 0; y < c.rows; ++y) {
    for (int x = 0; x < c.cols; ++x) {
      const bool inside = x < console_columns && y < console_rows;
      const VCell want =
          inside ? expected(model.at(x, y).ch, model.at(x, y).attr, c.palette)
                 : expected(' ', 7, c.palette);
      ASSERT_EQ(term.at(x, y), want)
          << c.type << " " << c.cols << "x" << c.rows << ": cell " << x
          << "," << y << " shows " << describe(term.at(x, y)) << ", not "
          << describe(want) << "; sent " << testing::PrintToString(sent);
    }
  }
  EXPECT_EQ(term.x(), std::min(model.cursor_x(), c.cols - 1)) << c.type;
  EXPECT_EQ(term.y(), std::min(model.cursor_y(), c.rows - 1)) << c.type;
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
    SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.cols) + "x" +
                 std::to_string(c.rows));
    Terminfo info(c.type);
    ASSERT_TRUE(info.loaded()) << c.type;
    ScreenWriter writer;
    writer.load_capabilities(true);
    writer.resize(c.rows, c.cols);
    // Whatever the terminal showed before, in its own colours.
    VirtualTerminal term(c.rows, c.cols, c.xenl, VCell{U'#', -1, -1});
    ScreenModel model;
    std::mt19937 random(20240521);
    const std::uint16_t attrs[] = {7, 4, 2, 3, 14, 0x1F, 0x70, 0x4E, 0x08};
    const char* texts[] = {"Input mouth width  (In.) > ", "12", "\xC5\xB0\xFE",
                           "** Bellform **\n", "          ", "x",
                           "0123456789012345678901234567890123456789"};
    for (int step = 0; step < 150; ++step) {
      const int x = static_cast<int>(random() % console_columns);
      const int y = static_cast<int>(random() % console_rows);
      const std::uint16_t attr = attrs[random() % (sizeof attrs / sizeof *attrs)];
      switch (random() % 6) {
        case 0:
        case 1: {
          model.set_cursor(x, y);
          model.set_attribute(attr);
          const std::string text = texts[random() % (sizeof texts / sizeof *texts)];
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
      std::string sent;
      writer.update(model, sent);
      term.feed(sent);
      expect_shows(term, model, c, sent);
      if (testing::Test::HasFatalFailure()) return;
      // Nothing changed: nothing sent.
      sent.clear();
      writer.update(model, sent);
      EXPECT_EQ(sent, "") << c.type;
    }
  }
}

// The writer on one terminal type, its first screen already sent.
class Session {
 public:
  explicit Session(const char* type, bool utf8 = true) : info_(type) {
    EXPECT_TRUE(info_.loaded()) << type;
    writer_.load_capabilities(utf8);
    writer_.resize(25, 80);
    update();
  }
  std::string update() {
    std::string sent;
    writer_.update(model_, sent);
    return sent;
  }
  // Text written at the cursor in `attr` (0: the attribute as it is).
  std::string write(std::uint16_t attr, const char* text) {
    if (attr != 0) model_.set_attribute(attr);
    model_.write(text, std::char_traits<char>::length(text));
    return update();
  }
  std::string move(int x) {
    model_.set_cursor(x, model_.cursor_y());
    return update();
  }
  ScreenWriter& writer() { return writer_; }
  ScreenModel& model() { return model_; }

 private:
  Terminfo info_;
  ScreenWriter writer_;
  ScreenModel model_;
};

// The first question's prompt, the answer's start typed after it.
constexpr const char* prompt = "Input mouth width  (In.) > ";
constexpr int answer_x = 27;

TEST(ScreenWriter, ACharacterAtTheEndOfTheAnswerIsThatByteAlone) {
  for (const char* type : {"xterm-256color", "tmux-256color", "linux", "ansi"}) {
    SCOPED_TRACE(type);
    Session s(type);
    s.model().set_cursor(0, 1);
    s.write(0, prompt);
    for (int i = 0; i < 40; ++i) {
      const char c[2] = {static_cast<char>('0' + i % 10), '\0'};
      EXPECT_EQ(s.write(0, c), c) << "key " << i;
    }
  }
}

// What one change sends: a key, a cursor move, a colour, with the prompt
// and "123456789" typed before it, in grey on black.
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

class Changes : public testing::TestWithParam<Change> {};

TEST_P(Changes, SendOnlyWhatChanged) {
  const Change& c = GetParam();
  Session s(c.type, c.utf8);
  s.model().set_cursor(0, 1);
  s.write(7, prompt);
  s.write(0, "123456789");
  if (c.before) s.write(c.before_attr, c.before);
  const std::string sent = c.text ? s.write(c.attr, c.text) : s.move(c.x);
  EXPECT_EQ(c.sent, sent);
}

INSTANTIATE_TEST_SUITE_P(
    ScreenWriter, Changes,
    testing::Values(
        // Backspace: a blank between two steps back; ansi's step is \E[D.
        Change{"Backspace", "xterm-256color", true, 0, nullptr, 0, "\b \b", 0, "\b \b"},
        Change{"BackspaceOnAnsi", "ansi", true, 0, nullptr, 0, "\b \b", 0,
               "\x1b[D \x1b[D"},
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
        Change{"BrightOnEightColours", "xterm", true, 0, nullptr, 14, "y", 0,
               "\x1b[1m\x1b[33my"},
        Change{"BoldTakenBack", "xterm", true, 14, "y", 7, "g", 0,
               "\x1b(B\x1b[m\x1b[37m\x1b[40mg"},
        // Without UTF-8, glyphs above ASCII are question marks.
        Change{"WithoutUtf8", "xterm-256color", false, 0, nullptr, 0, "\xC5\x01", 0, "??"}),
    [](const testing::TestParamInfo<Change>& info) { return info.param.name; });

TEST(ScreenWriter, LeavingGivesTheTerminalsOwnAttributesBack) {
  Session s("xterm-256color");
  std::string sent;
  s.writer().leave(sent);
  // Plain attributes, the terminal's own colours, the bottom line cleared.
  EXPECT_EQ(sent, "\x1b(B\x1b[m\x1b[39;49m\x1b[25;1H\x1b[K");
}

TEST(ScreenWriter, PaddingIsLeftToTputs) {
  Session s("vt100");  // sgr0, bold and cup carry $<n> padding
  const std::string sent = s.write(14, "bold");
  EXPECT_EQ(sent.find('$'), std::string::npos) << sent;
}

// Where the console's grey on black is the terminal's normal look, a screen
// cleared by curses needs only its text; with colours every cell is sent.
TEST(ScreenWriter, AClearedMonochromeScreenNeedsOnlyItsText) {
  Terminfo info("vt100");
  ASSERT_TRUE(info.loaded());
  ScreenWriter writer;
  writer.load_capabilities(true);
  writer.resize(25, 80);
  writer.cleared();
  ScreenModel model;
  model.set_cursor(0, 1);
  model.write("Input", 5);
  std::string sent;
  writer.update(model, sent);
  VirtualTerminal term(25, 80, true, VCell{U' '});
  term.feed(sent);
  expect_shows(term, model, {"vt100", Palette::none, true, 25, 80}, sent);
  EXPECT_LT(sent.size(), 30u) << sent;
}

}  // namespace
}  // namespace bellform
