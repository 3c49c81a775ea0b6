// How long the passes of a cycle take, and how often each computes the
// tractrix: a screen pass, a file pass at 0.1 inch and a macro pass, for the
// worked example (12 x 12, throat 2) and a bass horn (40 x 30, throat 3), a
// whole dialogue on the test console, the throat impedance of each horn and
// the response of a driver on it, the impedance included, and the bass
// horn's driver adapter. Counters per pass:
//   tractrix_length  calls of tractrix_length
//   per_station      of them for one station (the bisection of its radius)
//   walked           stations computed, thrown-away screen attempts included
//   kept             stations of the pass that was kept
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console.h"
#include "design/adapter_part.h"
#include "design/record.h"
#include "design/report.h"
#include "dialogue/design_loop.h"
#include "dialogue/file_command.h"
#include "dialogue/macro_command.h"
#include "dialogue/screen_sink.h"
#include "design/driver_file.h"
#include "design/horn_response.h"
#include "geometry/adapter.h"
#include "geometry/impedance.h"
#include "geometry/tractrix.h"
#include "geometry/walk.h"
#include "test_platform/test_console.h"
#include "writers/stl.h"

namespace bellform {
namespace {

// A directory of its own for the files, made the current one at start-up.
struct FilesDir {
  FilesDir() {
    char name[] = "/tmp/bellform-bench-XXXXXX";
    if (mkdtemp(name) == nullptr || chdir(name) != 0) std::abort();
    path = name;
  }
  ~FilesDir() {
    for (const char* f : {"bellform.txt", "horn.scr", "horn.mcr"}) {
      std::remove((path + "/" + f).c_str());
    }
    rmdir(path.c_str());
  }
  std::string path;
};
FilesDir files_dir;

struct Horn {
  double W, H, T;
};
constexpr Horn worked_example{12, 12, 2};
constexpr Horn bass_horn{40, 30, 3};

// The record as the design loop has it before its first cycle.
DesignRecord& record_for(const Horn& horn) {
  static DesignRecord rec;
  rec = DesignRecord{};
  rec.W = horn.W;
  rec.H = horn.H;
  rec.T = horn.T;
  rec.D = horn.T;
  rec.radii = design_radii(rec.W, rec.H, rec.T);
  rec.L = natural_length(rec.radii);
  return rec;
}

void open_test_console() {
  test_console::reset();
  open_console(banner);
}

long calls_per_station(const DesignRecord& rec) {
  const long before = tractrix_length_calls;
  tractrix_radius(rec.L * 0.5, rec.radii.rm);
  return tractrix_length_calls - before;
}

void report_counts(benchmark::State& state, const DesignRecord& rec,
                   long calls_per_pass, long extra_calls) {
  const long per_station = calls_per_station(rec);
  state.counters["tractrix_length"] = static_cast<double>(calls_per_pass);
  state.counters["per_station"] = static_cast<double>(per_station);
  state.counters["walked"] =
      static_cast<double>((calls_per_pass - extra_calls) / per_station);
  state.counters["kept"] =
      count_stations(layout_frame(rec.radii, rec.H, rec.L), rec.step, max_stations);
}

// Runs `pass` once per iteration and counts its calls of tractrix_length.
template <typename Pass>
void run_counted(benchmark::State& state, DesignRecord& rec, Pass pass) {
  long calls = 0;
  for (auto _ : state) {
    const long before = tractrix_length_calls;
    pass();
    calls = tractrix_length_calls - before;
  }
  // The trailer's adapter is the one call outside the stations.
  report_counts(state, rec, calls, 1);
}

void BM_ScreenPass(benchmark::State& state, Horn horn) {
  open_test_console();
  DesignRecord& rec = record_for(horn);
  run_counted(state, rec, [&] {
    rec.step = inch_units.first_step;
    ScreenSink screen;
    layout_pass(rec, PassKind::screen, screen);
    report_trailer(rec, screen);
  });
}

void BM_FilePass(benchmark::State& state, Horn horn) {
  open_test_console();
  DesignRecord& rec = record_for(horn);
  run_counted(state, rec, [&] {
    rec.step = 0.1;
    file_cycle(rec);
  });
  if (rec.step != 0.1) state.SkipWithError("the pass changed its step");
}

void BM_MacroPass(benchmark::State& state, Horn horn) {
  open_test_console();
  DesignRecord& rec = record_for(horn);
  run_counted(state, rec, [&] {
    rec.step = inch_units.outline_step;
    ScreenSink screen;
    test_console::type("A");
    layout_pass(rec, PassKind::outline, screen);
    report_trailer(rec, screen);
    macro_command(rec);
  });
}

// The worked example typed in, a screen cycle, a file cycle at 0.5 inch, a
// macro cycle, then Enter on the command line: four passes in all.
void BM_Dialogue(benchmark::State& state) {
  long calls = 0;
  for (auto _ : state) {
    test_console::reset();
    test_console::type("12\r12\r2\r\rF\r0.5\rM\rA\r");
    const long before = tractrix_length_calls;
    if (design_loop() != 0) state.SkipWithError("the dialogue did not end");
    calls = tractrix_length_calls - before;
  }
  state.counters["tractrix_length"] = static_cast<double>(calls);
}

// The throat impedance at all 241 frequencies, from the layout to the
// table; segments: the cones the path was cut into.
void BM_ThroatImpedance(benchmark::State& state, Horn horn) {
  const DesignRecord& rec = record_for(horn);
  ImpedanceTable table;
  for (auto _ : state) {
    if (!throat_impedance(rec.radii, rec.L, rec.D, table).empty()) state.SkipWithError("no table");
    benchmark::DoNotOptimize(table);
  }
  state.counters["segments"] = table.segments;
}

// The response of a driver (the example's numbers) at all 241 frequencies,
// the throat impedance and the chain run forward for the phase included,
// from the layout to the table.
void BM_Response(benchmark::State& state, Horn horn) {
  const DesignRecord& rec = record_for(horn);
  DriverFile file;
  std::string fault = parse_driver_file(
      "driver", "Re=6.4\nLe=0.1\nBl=12\nSd=45\nMms=3.6\nCms=0.018\nQms=3\nVrc=0.05\nVtc=4\n",
      file);
  if (fault.empty()) fault = file.response_fault;
  if (!fault.empty()) state.SkipWithError(fault.c_str());
  const DriverParams& driver = file.driver;
  ResponseTable table;
  for (auto _ : state) {
    if (!horn_response(rec, driver, table).empty()) state.SkipWithError("no table");
    benchmark::DoNotOptimize(table);
  }
}

// The driver adapter of the bass horn with a 2 inch driver: its mesh, then
// the whole STL file; facets and bytes of the part.
DesignRecord& adapter_horn() {
  DesignRecord& rec = record_for(bass_horn);
  rec.D = 2;
  return rec;
}

void BM_AdapterMesh(benchmark::State& state) {
  AdapterShape shape;
  if (!adapter_part(adapter_horn(), shape).empty()) state.SkipWithError("no adapter");
  Mesh mesh;
  for (auto _ : state) {
    adapter_mesh(shape, mesh);
    benchmark::DoNotOptimize(mesh);
  }
  state.counters["facets"] = static_cast<double>(mesh.facets.size());
}

void BM_AdapterStl(benchmark::State& state) {
  const DesignRecord& rec = adapter_horn();
  std::string bytes;
  for (auto _ : state) {
    bytes.clear();
    if (!write_adapter_stl(bytes, rec).empty()) state.SkipWithError("no adapter");
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}

BENCHMARK_CAPTURE(BM_ScreenPass, example, worked_example);
BENCHMARK_CAPTURE(BM_ScreenPass, bass_horn, bass_horn);
BENCHMARK_CAPTURE(BM_FilePass, example, worked_example);
BENCHMARK_CAPTURE(BM_FilePass, bass_horn, bass_horn);
BENCHMARK_CAPTURE(BM_MacroPass, example, worked_example);
BENCHMARK_CAPTURE(BM_MacroPass, bass_horn, bass_horn);
BENCHMARK(BM_Dialogue);
BENCHMARK_CAPTURE(BM_ThroatImpedance, example, worked_example);
BENCHMARK_CAPTURE(BM_ThroatImpedance, bass_horn, bass_horn);
BENCHMARK_CAPTURE(BM_Response, example, worked_example);
BENCHMARK_CAPTURE(BM_Response, bass_horn, bass_horn);
BENCHMARK(BM_AdapterMesh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdapterStl)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bellform

BENCHMARK_MAIN();
