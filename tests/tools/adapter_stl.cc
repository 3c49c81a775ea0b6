// Writes the driver adapter's STL for the reader test, taking the horn as
// the command line's options do: [--mm] --mouth WxH --throat T
// [--driver D] [--length L] --stl FILE. Only until the program writes it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "design/record.h"
#include "writers/stl.h"

int main(int argc, char** argv) {
  using namespace bellform;
  DesignRecord rec;
  double W = 0, H = 0, T = 0, D = 0, L = 0;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : "";
    if (arg == "--mm") {
      rec.units = metric_units;
      continue;
    }
    if (arg == "--mouth") std::sscanf(value, "%lfx%lf", &W, &H);
    if (arg == "--throat") T = std::atof(value);
    if (arg == "--driver") D = std::atof(value);
    if (arg == "--length") L = std::atof(value);
    if (arg == "--stl") file = value;
    ++i;
  }
  const Units& u = rec.units;
  rec.W = u.to_inches(W);
  rec.H = u.to_inches(H);
  rec.T = u.to_inches(T);
  rec.D = D > 0 ? u.to_inches(D) : rec.T;
  rec.radii = design_radii(rec.W, rec.H, rec.T);
  rec.L = L > 0 ? u.to_inches(L) : natural_length(rec.radii);
  std::string bytes;
  const std::string why = write_adapter_stl(bytes, rec);
  if (!why.empty() || file == nullptr) {
    std::fprintf(stderr, "%s\n", why.empty() ? "no --stl FILE" : why.c_str());
    return 1;
  }
  std::FILE* out = std::fopen(file, "wb");
  if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "could not write %s\n", file);
    return 1;
  }
  return 0;
}
