// The console screen model under random writes, fills, cursor moves and
// attribute changes, against a plain reference of the same console: the
// cursor always inside, every cell where the reference puts it, and no
// access out of range (AddressSanitizer, UndefinedBehaviorSanitizer).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "console/screen_model.h"

namespace {

using bellform::Cell;
using bellform::ScreenModel;

constexpr int W = bellform::console_columns;
constexpr int H = bellform::console_rows;

// The console as a flat list of cells, written the simplest way.
struct Reference {
  std::vector<Cell> cells = std::vector<Cell>(W * H);
  int x = 0, y = 0;
  std::uint16_t attr = 7;

  void new_row() {
    x = 0;
    if (++y < H) return;
    y = H - 1;
    cells.erase(cells.begin(), cells.begin() + W);
    cells.resize(W * H, Cell{' ', attr});
  }
  void put(unsigned char c) {
    cells[y * W + x] = Cell{c, attr};
    if (++x == W) new_row();
  }
  void write(unsigned char c) {
    if (c == '\n') {
      new_row();
    } else if (c == '\r') {
      x = 0;
    } else if (c == '\b') {
      x = x > 0 ? x - 1 : 0;
    } else if (c == '\t') {
      do put(' '); while (x % 8 != 0);
    } else if (c != '\a') {
      put(c);
    }
  }
  template <typename Set>
  void fill(int count, int fx, int fy, Set set) {
    if (fx < 0 || fy < 0 || fx >= W || fy >= H) return;
    for (int i = fy * W + fx; i < W * H && count > 0; ++i, --count) set(cells[i]);
  }
};

void check(const ScreenModel& s, const Reference& r) {
  bool ok = s.cursor_x() == r.x && s.cursor_y() == r.y && s.attribute() == r.attr;
  ok = ok && s.cursor_x() >= 0 && s.cursor_x() < W && s.cursor_y() >= 0 &&
       s.cursor_y() < H;
  for (int i = 0; ok && i < W * H; ++i) {
    const Cell& c = s.at(i % W, i / W);
    ok = c.ch == r.cells[i].ch && c.attr == r.cells[i].attr;
  }
  if (!ok) {
    std::fprintf(stderr, "model cursor %d,%d, reference %d,%d\n", s.cursor_x(),
                 s.cursor_y(), r.x, r.y);
    std::abort();
  }
}

// Positions mostly on the screen, sometimes just off it or far off.
int coordinate(FuzzedDataProvider& in) { return in.ConsumeIntegralInRange(-3, 85); }

void step(FuzzedDataProvider& in, ScreenModel& s, Reference& r) {
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0: {
      const std::string text = in.ConsumeRandomLengthString(300);
      s.write(text.data(), text.size());
      for (char c : text) r.write(static_cast<unsigned char>(c));
      break;
    }
    case 1: {
      const auto c = in.ConsumeIntegral<unsigned char>();
      const int count = in.ConsumeIntegralInRange(-10, 2 * W * H);
      const int x = coordinate(in), y = coordinate(in);
      s.fill_char(c, count, x, y);
      r.fill(count, x, y, [c](Cell& cell) { cell.ch = c; });
      break;
    }
    case 2: {
      const auto a = in.ConsumeIntegral<std::uint16_t>();
      const int count = in.ConsumeIntegral<int>();
      const int x = in.ConsumeIntegral<int>(), y = coordinate(in);
      s.fill_attr(a, count, x, y);
      r.fill(count, x, y, [a](Cell& cell) { cell.attr = a; });
      break;
    }
    case 3: {
      const int x = coordinate(in), y = coordinate(in);
      const bool inside = x >= 0 && y >= 0 && x < W && y < H;
      if (s.set_cursor(x, y) != inside) std::abort();
      if (inside) r.x = x, r.y = y;
      break;
    }
    case 4: {
      const auto a = in.ConsumeIntegral<std::uint16_t>();
      s.set_attribute(a);
      r.attr = a;
      break;
    }
    default: {
      const int y = in.ConsumeIntegral<int>();
      const std::string row = s.row_text(y);
      if (row.size() > static_cast<std::size_t>(W)) std::abort();
      if ((y < 0 || y >= H) && !row.empty()) std::abort();
      s.window_fits(coordinate(in), coordinate(in), coordinate(in), coordinate(in));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  ScreenModel screen;
  Reference reference;
  for (int i = 0; i < 200 && in.remaining_bytes() > 0; ++i) {
    step(in, screen, reference);
    check(screen, reference);
  }
  return 0;
}
