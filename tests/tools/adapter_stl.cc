// The driver adapter's STL for its readers' test, until the program's --stl
// writes it: adapter_stl W H T D L in|mm FILE (L 0: the natural length).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "writers/stl.h"

int main(int argc, char** argv) {
  using namespace bellform;
  if (argc != 8) return 2;
  DesignRecord rec;
  rec.units = std::string(argv[6]) == "mm" ? metric_units : inch_units;
  const auto typed = [&](int i) { return rec.units.to_inches(std::atof(argv[i])); };
  rec.W = typed(1), rec.H = typed(2), rec.T = typed(3), rec.D = typed(4);
  rec.radii = design_radii(rec.W, rec.H, rec.T);
  rec.L = typed(5) > 0 ? typed(5) : natural_length(rec.radii);
  std::string bytes;
  std::FILE* out = write_adapter_stl(bytes, rec).empty() ? std::fopen(argv[7], "wb") : nullptr;
  const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return (out && std::fclose(out) != 0) || !written;
}
