// Every file Bellform writes, one row each: its name, the Macro screen's
// answer and the command-line option that ask for it, what the help and
// the notices say of it, and how its bytes are made. Both front ends read
// the rows; a new output is a writer and a row.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "design/adapter_part.h"
#include "design/driver_file.h"
#include "design/record.h"
#include "geometry/impedance.h"
#include "geometry/response.h"
#include "writers/drawing.h"
#include "writers/drawing_pdf.h"

namespace bellform {

// What a row's bytes are made from: the horn as laid out at its length,
// and the passes its files share, each run once, when first needed.
class OutputJob {
 public:
  explicit OutputJob(const DesignRecord& horn);

  // The outline pass already run on `rec` (the dialogue's Macro cycle), so
  // the files draw its stations and its step carries on as the user's.
  void use_outline(const DesignRecord& rec);

  // The data file's step as typed, in the user's unit; 0: the stations of
  // the first report.
  double data_step = 0;
  Paper paper;

  const DesignRecord& horn() const { return horn_; }

  // Each shared pass: an empty sentence once it is made, otherwise why
  // none can be.
  const DesignRecord& outline();
  const std::string& sheet_fault();
  const std::string& impedance_fault();
  // The data file's pass at data_step, refused as the File command
  // refuses a step.
  const std::string& data_step_fault();
  const DesignRecord& data_file() const { return data_; }
  // The driver on the horn, from the driver file the front end read.
  const std::string& response_fault();
  const Sheet& sheet() const { return sheet_; }
  const ResponseTable& response() const { return response_; }
  // The driver adapter: whether the horn gives one, then the part with
  // the driver file's bolt holes and its STL, made once.
  const std::string& adapter_shape_fault();
  const std::string& adapter_fault();
  const AdapterPart& adapter_part() const { return adapter_part_; }
  const std::string& adapter() const { return adapter_; }

  // The driver file the front end read; no name: none.
  DriverFile driver_file;
  const ImpedanceTable& impedance() const { return table_; }

 private:
  const DesignRecord& horn_;
  bool outline_done_ = false;
  DesignRecord outline_;
  bool sheet_done_ = false;
  Sheet sheet_;
  std::string sheet_fault_;
  bool impedance_done_ = false;
  ImpedanceTable table_;
  std::string impedance_fault_;
  bool response_done_ = false;
  ResponseTable response_;
  std::string response_fault_;
  bool adapter_shape_done_ = false;
  std::string adapter_shape_fault_;
  bool adapter_done_ = false;
  AdapterPart adapter_part_;
  std::string adapter_;
  std::string adapter_fault_;
  bool data_done_ = false;
  DesignRecord data_;
  std::string data_fault_;
};

// The passes a row needs before its bytes can be made; each can refuse the
// horn, and then none of the row's files is written. The adapter's shape
// is no row's: the dialogue checks it before asking for the driver file.
enum class Need { data_step, outline, sheet, adapter_shape, adapter, impedance, response };

struct OutputRow {
  const char* file;    // its name in the current directory
  char key;            // the Macro screen's answer; 0: written otherwise
  const char* answer;  // the answer's words on the Macro screen
  const char* option;  // the command line's, followed by FILE
  const char* help;    // the option's line in --help
  const char* about;   // the file's line in --help's list of files
  const char* notice;  // the dialogue's yellow line, %s the file
  const char* kind;    // "Could not write the <kind> file <file>."
  Need need;
  // Appends the bytes; an empty sentence when made, otherwise why not.
  std::string (*make)(OutputJob& job, std::string& bytes);
  // What the notice says after the file's name, of the file as made; none
  // when null.
  std::string (*made)(const OutputJob& job) = nullptr;
};

// The dialogue's yellow line once the row's file is written.
std::string notice_of(const OutputRow& row, const OutputJob& job);

// In the order --help lists them; the rows of one answer in the order they
// are written.
std::span<const OutputRow> output_rows();
const OutputRow* output_for_option(std::string_view option);

// Whether the row draws the outline pass's stations, and so says when that
// pass had to widen its step.
inline bool draws_outline(const OutputRow& row) {
  return row.need == Need::outline || row.need == Need::sheet;
}

// The sentence of a need the job cannot meet for this horn; empty when met.
std::string need_fault(OutputJob& job, Need need);

}  // namespace bellform
