#include "writers/outputs.h"

#include <algorithm>
#include <iterator>

#include "design/horn_response.h"
#include "design/report.h"
#include "design/steps.h"
#include "writers/crossover_files.h"
#include "writers/data_file.h"
#include "writers/impedance_files.h"
#include "writers/response_files.h"
#include "writers/stl.h"
#include "writers/script.h"
#include "design/texts.h"

namespace bellform {

namespace {

// Where the impedance table's air path starts, in m^2: the driver's Sd is
// compared with it.
double start_area(OutputJob& job) {
  return job.impedance().start_area * metres_per_inch * metres_per_inch;
}

}  // namespace

OutputJob::OutputJob(const DesignRecord& horn) : paper(paper_of(horn.units)), horn_(horn) {}

void OutputJob::use_outline(const DesignRecord& rec) { outline_.value = rec; }

void OutputJob::use_data_step(const DesignRecord& rec) {
  data_.value = DataPass{rec, PassKind::file};
}

// Each pass runs once, the first time it or its fault is asked for.
template <class T>
const T& OutputJob::made(Pass<T>& pass, void (OutputJob::*make)()) {
  if (!pass.value) {
    pass.value.emplace();
    (this->*make)();
  }
  return *pass.value;
}

const DataPass& OutputJob::data() { return made(data_, &OutputJob::make_data); }
const DesignRecord& OutputJob::outline() { return made(outline_, &OutputJob::make_outline); }
const Sheet& OutputJob::sheet() { return made(sheet_, &OutputJob::make_sheet); }
const PagePlan& OutputJob::pages() { return made(pages_, &OutputJob::make_pages); }
const std::string& OutputJob::adapter_shape_fault() {
  return made(adapter_shape_, &OutputJob::make_adapter_shape), adapter_shape_.fault;
}
const AdapterFile& OutputJob::adapter() { return made(adapter_, &OutputJob::make_adapter); }
double OutputJob::cutoff() { return made(cutoff_, &OutputJob::make_cutoff); }
const ImpedanceTable& OutputJob::impedance() {
  return made(impedance_, &OutputJob::make_impedance);
}
const ResponseTable& OutputJob::response() { return made(response_, &OutputJob::make_response); }

void OutputJob::make_data() {
  DataPass& d = *data_.value;
  d.rec = horn_;
  d.rec.step = d.rec.units.first_step;
  d.kind = data_step != 0 ? PassKind::file : PassKind::screen;
  if (data_step != 0) data_.fault = step_that_fits(d.rec, data_step, d.rec.step);
}

void OutputJob::make_outline() {
  *outline_.value = horn_;
  outline_.value->step = horn_.units.outline_step;
  NullSink sink;
  layout_pass(*outline_.value, PassKind::outline, sink);
}

void OutputJob::make_sheet() { sheet_.fault = lay_out_sheet(outline(), *sheet_.value); }

const std::string& OutputJob::pages_fault() { return pages(), pages_.fault; }

void OutputJob::make_pages() {
  pages_.fault = fault(Need::sheet);
  if (pages_.fault.empty())
    pages_.fault = plan_pages(sheet(), horn_.units.drawing, paper, *pages_.value);
}

void OutputJob::make_adapter_shape() {
  adapter_shape_.fault = adapter_shape_of(horn_, *adapter_shape_.value);
}

void OutputJob::make_adapter() {
  AdapterFile& file = *adapter_.value;
  adapter_.fault = adapter_part(horn_, driver_file, file.part);
  if (adapter_.fault.empty()) write_adapter_stl(file.bytes, file.part);
}

void OutputJob::make_cutoff() { *cutoff_.value = first_screen_cutoff(horn_); }

void OutputJob::make_impedance() {
  impedance_.fault = throat_impedance(horn_.radii, horn_.L, horn_.D, *impedance_.value);
}

void OutputJob::make_response() {
  response_.fault = fault(Need::impedance);
  if (response_.fault.empty()) response_.fault = driver_file.response_fault;
  if (response_.fault.empty())
    response_.fault = horn_response(impedance(), driver_file.driver, *response_.value);
}

const std::string& OutputJob::fault(Need need) {
  static const std::string none;
  switch (need) {
    case Need::data_step: return data(), data_.fault;
    case Need::outline: return outline(), outline_.fault;
    case Need::sheet: return sheet(), sheet_.fault;
    case Need::adapter_shape: return adapter_shape_fault();
    case Need::adapter: return adapter(), adapter_.fault;
    case Need::impedance: return impedance(), impedance_.fault;
    case Need::response: return response(), response_.fault;
  }
  return none;
}

std::vector<std::string> OutputJob::notes(const OutputRow& row) {
  std::vector<std::string> said;
  const bool draws_outline = row.need == Need::outline || row.need == Need::sheet;
  if (draws_outline && outline().step_widened) said.push_back(widened_step_note(outline()));
  // The driver's figures, its slips, Xmax and the names not used; where
  // the horn starts to work with this driver, against the report's Fc.
  if (row.need == Need::response) {
    for (std::string& note : response_notes(driver_file, start_area(*this), response()))
      said.push_back(std::move(note));
    said.push_back(passband_sentence(response(), cutoff()));
  }
  return said;
}

namespace {

// The data file: every station at the step typed, or the stations of the
// first report.
std::string data_file(OutputJob& job, std::string& bytes) {
  DataPass pass = job.data();
  TextSink sink(bytes);
  data_file_report(pass.rec, pass.kind, sink);
  return "";
}

std::string autocad(OutputJob& job, std::string& bytes) {
  write_script(bytes, autocad_script, job.outline().points, job.horn().units);
  return "";
}

std::string general_cadd(OutputJob& job, std::string& bytes) {
  write_script(bytes, general_cadd_macro, job.outline().points, job.horn().units);
  return "";
}

std::string dxf(OutputJob& job, std::string& bytes) {
  write_dxf(bytes, job.sheet(), job.horn().units.drawing);
  return "";
}

std::string svg(OutputJob& job, std::string& bytes) {
  write_svg(bytes, job.sheet(), job.horn().units.drawing);
  return "";
}

std::string pages(OutputJob& job, std::string& bytes) {
  if (!job.pages_fault().empty()) return job.pages_fault();
  return write_pdf_pages(bytes, job.pages());
}

std::string adapter_stl(OutputJob& job, std::string& bytes) {
  bytes += job.adapter().bytes;
  return "";
}

// How many pieces to print, and how tall.
std::string adapter_sections(OutputJob& job) {
  const AdapterPlan& plan = job.adapter().part.plan;
  return text_of(", %d section(s) up to %.1f mm tall", static_cast<int>(plan.sections.size()),
                 plan.section_height);
}

std::string impedance_csv(OutputJob& job, std::string& bytes) {
  write_impedance_csv(bytes, job.impedance());
  return "";
}

std::string impedance_svg(OutputJob& job, std::string& bytes) {
  write_impedance_svg(bytes, job.impedance(), job.horn(), job.cutoff());
  return "";
}

std::string response_csv(OutputJob& job, std::string& bytes) {
  write_response_csv(bytes, job.response());
  return "";
}

std::string response_svg(OutputJob& job, std::string& bytes) {
  write_response_svg(bytes, job.response(), job.driver_file, start_area(job), job.horn(),
                     job.cutoff());
  return "";
}

std::string response_frd(OutputJob& job, std::string& bytes) {
  write_response_frd(bytes, job.response(), job.driver_file.driver, job.driver_file.name,
                     job.horn(), job.cutoff());
  return "";
}

std::string response_zma(OutputJob& job, std::string& bytes) {
  write_response_zma(bytes, job.response(), job.driver_file.driver, job.driver_file.name,
                     job.horn(), job.cutoff());
  return "";
}

constexpr OutputRow rows[] = {
    {data_file_name, 0, nullptr, "--txt", "the data file, as F writes it (bellform.txt)",
     "the report with every station and the jig dimensions", "Data file is: %s", "data",
     Need::data_step, data_file, Command::file},
    {"horn.scr", 'A', "AutoCAD script", "--scr", "the AutoCAD script, as M then A writes it (horn.scr)",
     "the outline of a top or bottom piece: AutoCAD script", "Macro file is: %s",
     "macro", Need::outline, autocad},
    {"horn.mcr", 'G', "General CADD", "--mcr", "the General CADD macro, as M then G (horn.mcr)",
     "the same outline as a General CADD macro", "Macro file is: %s", "macro",
     Need::outline, general_cadd},
    {"horn.dxf", 'D', "DXF", "--dxf", "the DXF drawing, as M then D (horn.dxf)",
     "the piece and a side panel laid flat, a DXF drawing", "Drawing file is: %s",
     "drawing", Need::sheet, dxf},
    {"horn.svg", 'S', "SVG and pages", "--svg", "the SVG template, as M then S (horn.svg)",
     "the same as an SVG template that prints at full size", "Drawing file is: %s",
     "drawing", Need::sheet, svg},
    {"horn-pages.pdf", 'S', "SVG and pages", "--pdf", "its pages to print, as M then S (horn-pages.pdf)",
     "the template tiled on Letter pages, A4 with --mm", "Pages to print are: %s",
     "drawing", Need::sheet, pages},
    {"horn-adapter.stl", 'P', "STL adapter", "--stl",
     "the driver adapter to print, as M then P (horn-adapter.stl)",
     "the round-to-square driver adapter to 3D print, STL",
     "Adapter to print is: %s", "adapter", Need::adapter, adapter_stl, Command::macro,
     adapter_sections},
    {"horn-impedance.csv", 'I', "impedance", "--impedance-csv", "the throat impedance table, as M then I",
     "the throat impedance over frequency, a table", "Impedance table is: %s",
     "impedance", Need::impedance, impedance_csv},
    {"horn-impedance.svg", 'I', "impedance", "--impedance-svg", "the throat impedance chart, as M then I",
     "the same as a chart", "Impedance chart is: %s", "impedance", Need::impedance,
     impedance_svg},
    {"horn-response.csv", 'R', "response", "--response-csv",
     "the driver's response, a table, as M then R",
     "your driver's level, impedance and excursion, a table",
     "Response table is: %s", "response", Need::response, response_csv},
    {"horn-response.svg", 'R', "response", "--response-svg",
     "the same as a chart, as M then R", "the same as a chart",
     "Response chart is: %s", "response", Need::response, response_svg},
    {"horn-response.frd", 'R', "response", "--response-frd",
     "the level and its phase, FRD, as M then R",
     "the level and its phase for crossover tools, FRD",
     "For crossover tools: %s", "response", Need::response, response_frd},
    {"horn-response.zma", 'R', "response", "--response-zma",
     "the impedance and its phase, ZMA, as M then R",
     "the impedance and its phase for crossover tools, ZMA",
     "For crossover tools: %s", "response", Need::response, response_zma},
};

const OutputRow& row_made_by(std::string (*make)(OutputJob&, std::string&)) {
  return *std::find_if(std::begin(rows), std::end(rows),
                       [make](const OutputRow& row) { return row.make == make; });
}

}  // namespace

const OutputRow& data_file_output = row_made_by(data_file);
const OutputRow& pages_output = row_made_by(pages);

std::span<const OutputRow> output_rows() { return rows; }

const OutputRow* output_for_option(std::string_view option) {
  for (const OutputRow& row : rows)
    if (option == row.option) return &row;
  return nullptr;
}

std::vector<const OutputRow*> rows_for(Command command, char key) {
  std::vector<const OutputRow*> found;
  for (const OutputRow& row : rows)
    if (row.command == command && (command == Command::file || row.key == key))
      found.push_back(&row);
  return found;
}

std::string notice_text(const OutputRow& row, OutputJob& job, const std::string& files) {
  return text_of(row.notice, files.c_str()) + (row.made ? row.made(job) : "");
}

std::string not_written_text(const OutputRow& row, const std::string& why) {
  return text_of("Could not write the %s file %s: %s.", row.kind, row.file, why.c_str());
}

}  // namespace bellform
