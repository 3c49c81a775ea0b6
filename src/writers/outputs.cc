#include "writers/outputs.h"

#include "design/horn_response.h"
#include "design/report.h"
#include "design/steps.h"
#include "design/texts.h"
#include "writers/data_file.h"
#include "writers/impedance_files.h"
#include "writers/response_files.h"
#include "writers/stl.h"
#include "writers/script.h"

namespace bellform {

OutputJob::OutputJob(const DesignRecord& horn) : paper(paper_of(horn.units)), horn_(horn) {}

void OutputJob::use_outline(const DesignRecord& rec) {
  outline_ = rec;
  outline_done_ = true;
}

const DesignRecord& OutputJob::outline() {
  if (!outline_done_) {
    outline_ = horn_;
    outline_.step = outline_.units.outline_step;
    NullSink sink;
    layout_pass(outline_, PassKind::outline, sink);
    outline_done_ = true;
  }
  return outline_;
}

const std::string& OutputJob::sheet_fault() {
  if (!sheet_done_) {
    sheet_fault_ = lay_out_sheet(outline(), sheet_);
    sheet_done_ = true;
  }
  return sheet_fault_;
}

const std::string& OutputJob::impedance_fault() {
  if (!impedance_done_) {
    impedance_fault_ = throat_impedance(horn_.radii, horn_.L, horn_.D, table_);
    impedance_done_ = true;
  }
  return impedance_fault_;
}

const std::string& OutputJob::data_step_fault() {
  if (!data_done_) {
    data_ = horn_;
    data_.step = data_.units.first_step;
    if (data_step != 0) {
      data_fault_ = step_that_fits(data_, data_step, data_.step);
    }
    data_done_ = true;
  }
  return data_fault_;
}

const std::string& OutputJob::response_fault() {
  if (!response_done_) {
    response_fault_ = impedance_fault();
    if (response_fault_.empty()) response_fault_ = driver_file.response_fault;
    if (response_fault_.empty())
      response_fault_ = horn_response(table_, driver_file.driver, response_);
    response_done_ = true;
  }
  return response_fault_;
}

const std::string& OutputJob::adapter_shape_fault() {
  if (!adapter_shape_done_) {
    AdapterShape shape;
    adapter_shape_fault_ = adapter_shape_of(horn_, shape);
    adapter_shape_done_ = true;
  }
  return adapter_shape_fault_;
}

const std::string& OutputJob::adapter_fault() {
  if (!adapter_done_) {
    adapter_fault_ = bellform::adapter_part(horn_, driver_file, adapter_part_);
    if (adapter_fault_.empty()) write_adapter_stl(adapter_, adapter_part_);
    adapter_done_ = true;
  }
  return adapter_fault_;
}

std::string need_fault(OutputJob& job, Need need) {
  switch (need) {
    case Need::data_step: return job.data_step_fault();
    case Need::outline: job.outline(); break;
    case Need::sheet: return job.sheet_fault();
    case Need::adapter_shape: return job.adapter_shape_fault();
    case Need::adapter: return job.adapter_fault();
    case Need::impedance: return job.impedance_fault();
    case Need::response: return job.response_fault();
  }
  return "";
}

namespace {

// The data file: every station at the step typed, or the stations of the
// first report.
std::string data_file(OutputJob& job, std::string& bytes) {
  DesignRecord rec = job.data_file();
  TextSink sink(bytes);
  data_file_report(rec, job.data_step != 0 ? PassKind::file : PassKind::screen, sink);
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
  PagePlan plan;
  const std::string why = plan_pages(job.sheet(), job.horn().units.drawing, job.paper, plan);
  return why.empty() ? write_pdf_pages(bytes, plan) : why;
}

std::string adapter_stl(OutputJob& job, std::string& bytes) {
  bytes += job.adapter();
  return "";
}

// How many pieces to print, and how tall.
std::string adapter_sections(const OutputJob& job) {
  const AdapterPlan& plan = job.adapter_part().plan;
  return text_of(", %zu section(s) up to %.1f mm tall", plan.sections.size(), plan.section_height);
}

std::string impedance_csv(OutputJob& job, std::string& bytes) {
  write_impedance_csv(bytes, job.impedance());
  return "";
}

std::string impedance_svg(OutputJob& job, std::string& bytes) {
  write_impedance_svg(bytes, job.impedance(), job.horn(), first_screen_cutoff(job.horn()));
  return "";
}

std::string response_csv(OutputJob& job, std::string& bytes) {
  write_response_csv(bytes, job.response());
  return "";
}

std::string response_svg(OutputJob& job, std::string& bytes) {
  write_response_svg(bytes, job.response(), job.driver_file.driver, job.driver_file.name, job.horn(),
                     first_screen_cutoff(job.horn()));
  return "";
}

constexpr OutputRow rows[] = {
    {data_file_name, 0, nullptr, "--txt", "the data file, as F writes it (bellform.txt)",
     "the report with every station and the jig dimensions (F)", "Data file is: %s", "data",
     Need::data_step, data_file},
    {"horn.scr", 'A', "AutoCAD script", "--scr", "the AutoCAD script, as M then A writes it (horn.scr)",
     "the outline of a top or bottom piece: AutoCAD script (M, A)", "Macro file is: %s",
     "macro", Need::outline, autocad},
    {"horn.mcr", 'G', "General CADD", "--mcr", "the General CADD macro, as M then G (horn.mcr)",
     "the same outline as a General CADD macro (M, G)", "Macro file is: %s", "macro",
     Need::outline, general_cadd},
    {"horn.dxf", 'D', "DXF", "--dxf", "the DXF drawing, as M then D (horn.dxf)",
     "the piece and a side panel laid flat, a DXF drawing (M, D)", "Drawing file is: %s",
     "drawing", Need::sheet, dxf},
    {"horn.svg", 'S', "SVG and pages", "--svg", "the SVG template, as M then S (horn.svg)",
     "the same as an SVG template that prints at full size (M, S)", "Drawing file is: %s",
     "drawing", Need::sheet, svg},
    {"horn-pages.pdf", 'S', "SVG and pages", "--pdf", "its pages to print, as M then S (horn-pages.pdf)",
     "the template tiled on Letter pages, A4 with --mm (M, S)", "Pages to print are: %s",
     "drawing", Need::sheet, pages},
    {"horn-adapter.stl", 'P', "STL adapter", "--stl",
     "the driver adapter to print, as M then P (horn-adapter.stl)",
     "the round-to-square driver adapter to 3D print, STL (M, P)",
     "Adapter to print is: %s", "adapter", Need::adapter, adapter_stl, adapter_sections},
    {"horn-impedance.csv", 'I', "impedance", "--impedance-csv", "the throat impedance table, as M then I",
     "the throat impedance over frequency, a table (M, I)", "Impedance table is: %s",
     "impedance", Need::impedance, impedance_csv},
    {"horn-impedance.svg", 'I', "impedance", "--impedance-svg", "the throat impedance chart, as M then I",
     "the same as a chart (M, I)", "Impedance chart is: %s", "impedance", Need::impedance,
     impedance_svg},
    {"horn-response.csv", 'R', "response", "--response-csv",
     "the driver's response, a table, as M then R",
     "your driver's level, impedance and excursion, a table (M, R)",
     "Response table is: %s", "response", Need::response, response_csv},
    {"horn-response.svg", 'R', "response", "--response-svg",
     "the same as a chart, as M then R", "the same as a chart (M, R)",
     "Response chart is: %s", "response", Need::response, response_svg},
};

}  // namespace

std::span<const OutputRow> output_rows() { return rows; }

std::string notice_of(const OutputRow& row, const OutputJob& job) {
  return text_of(row.notice, row.file) + (row.made ? row.made(job) : "");
}

const OutputRow* output_for_option(std::string_view option) {
  for (const OutputRow& row : rows)
    if (option == row.option) return &row;
  return nullptr;
}

}  // namespace bellform
