// Every file Bellform writes, one row each: its name, the answer and the
// command-line option that ask for it, what the help and the notices say of
// it, the pass it is made from, and how its bytes are made. Both front ends
// and the help read the rows. A new output touches its writer, its row
// (and, when it is made from a new pass, that pass in OutputJob and a Need),
// the README and the manual page (options_test.py fails until they name its
// file and option), and, for a new answer, a row of tests/notices_test.cc;
// the write-failure and same-bytes tests take every row as it is.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "design/adapter_part.h"
#include "design/driver_file.h"
#include "design/record.h"
#include "geometry/impedance.h"
#include "geometry/response.h"
#include "writers/drawing.h"
#include "writers/drawing_pdf.h"

namespace bellform {

// The passes the files share. Each can refuse the horn, and then none of
// the files made from it is written. The adapter's shape is no file's: the
// dialogue checks it before it asks for the driver file of the bolt holes.
enum class Need { data_step, outline, sheet, adapter_shape, adapter, impedance, response };

struct OutputRow;

// A shared pass, made once when first asked: its value, and an empty
// sentence when it was made, otherwise why none can be. A pass never asked
// for costs nothing.
template <class T>
struct Pass {
  std::optional<T> value;
  std::string fault;
};

// The data file's pass: the horn at the file's step, and the kind of pass
// that walks it (every station at a typed step, or the first report's).
struct DataPass {
  DesignRecord rec;
  PassKind kind = PassKind::screen;
};

// The driver adapter with the driver file's bolt holes, and its STL bytes.
struct AdapterFile {
  AdapterPart part;
  std::string bytes;
};

// What a row's bytes are made from: the horn as laid out at its length, and
// the passes its files share, each made when first asked, whatever order
// the rows ask in.
class OutputJob {
 public:
  explicit OutputJob(const DesignRecord& horn);

  // The outline pass already run on `rec` (the dialogue's Macro cycle), so
  // the files draw its stations and its step carries on as the user's.
  void use_outline(const DesignRecord& rec);
  // The File command's step already fitted in rec.step: every station at it.
  void use_data_step(const DesignRecord& rec);

  // The data file's step as typed, in the user's unit; 0: the stations of
  // the first report. Read when the data pass is first asked for.
  double data_step = 0;
  Paper paper;
  // The driver file the front end read; no name: none.
  DriverFile driver_file;

  const DesignRecord& horn() const { return horn_; }

  const DataPass& data();
  const DesignRecord& outline();
  const Sheet& sheet();
  // The pages planned on the sheet; a plan that fails refuses the pages'
  // file alone (its sentence in pages_fault), not the horn.
  const PagePlan& pages();
  const std::string& pages_fault();
  const std::string& adapter_shape_fault();
  const AdapterFile& adapter();
  // The cutoff the first report of the horn shows, which the charts mark.
  double cutoff();
  const ImpedanceTable& impedance();
  const ResponseTable& response();

  // The sentence of a need the job cannot meet for this horn; empty when
  // met, and then its pass is made.
  const std::string& fault(Need need);

  // What the user is told after a row's file: notes on the pass it was
  // made from (a widened outline step; the response's driver, its slips,
  // Xmax and where the response's passband starts), each said once by the
  // front end.
  std::vector<std::string> notes(const OutputRow& row);

 private:
  template <class T>
  const T& made(Pass<T>& pass, void (OutputJob::*make)());
  void make_data();
  void make_outline();
  void make_sheet();
  void make_pages();
  void make_adapter_shape();
  void make_adapter();
  void make_cutoff();
  void make_impedance();
  void make_response();

  const DesignRecord& horn_;
  Pass<DataPass> data_;
  Pass<DesignRecord> outline_;
  Pass<Sheet> sheet_;
  Pass<PagePlan> pages_;
  Pass<AdapterShape> adapter_shape_;
  Pass<AdapterFile> adapter_;
  Pass<double> cutoff_;
  Pass<ImpedanceTable> impedance_;
  Pass<ResponseTable> response_;
};

// Where a row's answer is given: F at the command line under the report,
// or a key on the Macro screen.
enum class Command { file, macro };

struct OutputRow {
  const char* file;    // its name in the current directory
  char key;            // the Macro screen's answer; 0 for F's file
  const char* answer;  // the answer's words on the Macro screen
  const char* option;  // the command line's, followed by FILE
  const char* help;    // the option's line in --help
  const char* about;   // the file's line in --help's list of files, before
                       // the answer that writes it, "(M, A)"
  const char* notice;  // the dialogue's yellow line, %s the file; the rows
                       // of one answer with the same notice share one line
  const char* kind;    // "Could not write the <kind> file <file>: why."
  Need need;
  // Appends the bytes; an empty sentence when made, otherwise why not.
  std::string (*make)(OutputJob& job, std::string& bytes);
  Command command = Command::macro;
  // What the notice says after the file's name, of the file as made; null:
  // nothing.
  std::string (*made)(OutputJob& job) = nullptr;
};

// In the order --help lists them; the rows of one answer in the order they
// are written.
std::span<const OutputRow> output_rows();
// The rows the command line's other options refer to: the data file (its
// step) and the pages (their paper).
extern const OutputRow& data_file_output;
extern const OutputRow& pages_output;
const OutputRow* output_for_option(std::string_view option);
// The rows one answer writes: F's file, or the Macro screen's key.
std::vector<const OutputRow*> rows_for(Command command, char key = 0);

// The dialogue's yellow line for the row's files written, named in `files`.
std::string notice_text(const OutputRow& row, OutputJob& job, const std::string& files);

// The dialogue's red line for a file not written: its kind, its name and why.
std::string not_written_text(const OutputRow& row, const std::string& why);

}  // namespace bellform
