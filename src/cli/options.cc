#include "cli/options.h"

#include <optional>

#include "design/number.h"
#include "design/texts.h"

namespace bellform {

namespace {

// What the options say before their values are read: the values are read
// at the end, once it is known whether they are millimetres.
struct Given {
  std::optional<std::string> mouth, throat, driver, length, step, paper, driver_file;
  std::optional<std::string> print_height;
  std::vector<OutputRequest> outputs;
  bool any_design = false;  // a design option or an output was given
  std::string refusal;      // the first thing not understood
};

void refuse(Given& g, const std::string& why) {
  if (g.refusal.empty()) g.refusal = why;
}

void set_value(Given& g, std::optional<std::string>& field, const char* name,
               const char* value, bool design) {
  if (field) refuse(g, std::string(name) + " is given twice");
  field = value;
  g.any_design = g.any_design || design;
}

void add_output(Given& g, const OutputRow& row, const char* value) {
  for (const OutputRequest& o : g.outputs)
    if (o.row == &row) refuse(g, std::string(row.option) + " is given twice");
  g.outputs.push_back({&row, value});
  g.any_design = true;
}

// One row an option but the outputs' (output_rows): its spellings, the
// name of its value (nullptr for a flag), its line in the help, and what it
// does: a flag's effect, or the value it gives, of the design or (as
// --mm) a setting the dialogue takes too. "/?" is the Windows form of help;
// it is read on every system alike.
struct OptionRow {
  const char* names[3];
  const char* value;
  const char* help;
  void (*flag)(Options&) = nullptr;
  std::optional<std::string> Given::*field = nullptr;
  bool setting = false;
};

const OptionRow option_rows[] = {
    {{"-h", "--help", "/?"}, nullptr, "show this help and exit (/? is the Windows form)",
     [](Options& o) { o.action = Action::help; }},
    {{"-V", "--version"}, nullptr, "show the version and exit",
     [](Options& o) {
       if (o.action != Action::help) o.action = Action::version;
     }},
    {{"--mm"}, nullptr,
     "millimetres: every length typed, shown and written in mm;\n"
     "a decimal comma reads as a point (304,8 is 304.8)",
     [](Options& o) { o.millimetres = true; }},
    {{"--print-height"}, "MM",
     "the tallest section of the driver adapter your printer\n"
     "prints, in mm whatever the unit: 50 to 1000 (default 180)",
     nullptr, &Given::print_height, true},
    {{"--mouth"}, "WxH", "the mouth's width and height, x between them (12x12)", nullptr, &Given::mouth},
    {{"--throat"}, "T", "the side of the square throat", nullptr, &Given::throat},
    {{"--driver"}, "D", "the driver's throat diameter (default: T)", nullptr, &Given::driver},
    {{"--length"}, "L", "the throat to mouth length (default: the natural one)", nullptr,
     &Given::length},
    {{"--step"}, "S", "the data file's station step, as F takes it", nullptr, &Given::step},
    {{"--driver-file"}, "FILE",
     "the driver file: the response's parameters (M then R),\n"
     "the adapter's bolt holes (M then P)",
     nullptr, &Given::driver_file},
    {{"--paper"}, "letter|a4", "the pages' paper (default: Letter, A4 with --mm)", nullptr,
     &Given::paper},
};

void apply(const OptionRow& row, Options& options, Given& given, const char* value) {
  if (row.flag)
    row.flag(options);
  else
    set_value(given, given.*row.field, row.names[0], value, !row.setting);
}

// An option's row; an output's stands for it as a row of its own, with a
// FILE to name.
struct Found {
  const OptionRow* option = nullptr;
  const OutputRow* output = nullptr;
  const char* value() const { return output ? "FILE" : option ? option->value : nullptr; }
};

Found find_row(const std::string& name) {
  for (const OptionRow& row : option_rows)
    for (const char* n : row.names)
      if (n && name == n) return {&row, nullptr};
  return {nullptr, output_for_option(name)};
}

// A number in full, in the user's unit; empty, or why not.
std::string number(const std::optional<std::string>& text, const char* name, bool mm,
                   double& value) {
  if (!text || read_whole_number(text->c_str(), mm, value)) return "";
  return std::string(name) + ": '" + *text + "' is not a number";
}

std::string mouth(const std::string& text, bool mm, GivenDesign& d) {
  const std::size_t x = text.find_first_of("xX");
  const bool read = x != std::string::npos &&
                    read_whole_number(text.substr(0, x).c_str(), mm, d.W) &&
                    read_whole_number(text.substr(x + 1).c_str(), mm, d.H);
  return read ? "" : "--mouth: '" + text + "' is not a width and a height (WxH)";
}

std::string paper(const std::optional<std::string>& text, GivenDesign& d) {
  d.has_paper = text.has_value();
  if (!text || *text == "letter") return "";
  d.paper = Paper::a4;
  if (*text == "a4") return "";
  return "--paper: '" + *text + "' is not letter or a4";
}

// The values read; empty when each is a value of its kind, otherwise the
// first that is not.
std::string read_values(const Given& g, bool mm, GivenDesign& d) {
  d.has_driver = g.driver.has_value();
  d.has_length = g.length.has_value();
  d.has_step = g.step.has_value();
  if (g.driver_file) d.driver_file = *g.driver_file;
  for (std::string why : {mouth(*g.mouth, mm, d), number(g.throat, "--throat", mm, d.T),
                          number(g.driver, "--driver", mm, d.D),
                          number(g.length, "--length", mm, d.L),
                          number(g.step, "--step", mm, d.step), paper(g.paper, d)})
    if (!why.empty()) return why;
  return "";
}

// The options of the rows that read the driver file, from the rows:
// "--stl, --response-csv, ... or --response-zma".
std::string driver_file_options() {
  std::vector<std::string> options;
  for (const OutputRow& row : output_rows())
    if (row.need == Need::response || row.need == Need::adapter) options.push_back(row.option);
  std::string list;
  for (std::size_t i = 0; i < options.size(); ++i)
    list += (i == 0 ? "" : i + 1 == options.size() ? " or " : ", ") + options[i];
  return list;
}

// The print height in mm, from min to max; empty, or why not.
std::string print_height(const std::optional<std::string>& text, bool mm, double& value) {
  if (!text || (read_whole_number(text->c_str(), mm, value) && value >= min_print_height &&
                value <= max_print_height))
    return "";
  return text_of("--print-height: '%s' is not a print height from %g to %g (mm)", text->c_str(),
                 min_print_height, max_print_height);
}

// The values read, and the combinations checked; an empty string when all
// is well, otherwise why not.
std::string read_design(const Given& g, bool mm, Options& o) {
  if (!g.mouth) return "--mouth is missing";
  if (!g.throat) return "--throat is missing";
  GivenDesign& d = o.design;
  if (std::string why = read_values(g, mm, d); !why.empty()) return why;
  o.outputs = g.outputs;
  // No output: the report at the screen's stations on standard output.
  if (o.outputs.empty()) o.outputs.push_back({&data_file_output, "-"});
  int to_standard_output = 0;
  bool txt = false, pdf = false, response = false, adapter = false;
  for (const OutputRequest& out : o.outputs) {
    to_standard_output += out.file == "-";
    txt = txt || out.row == &data_file_output;
    pdf = pdf || out.row == &pages_output;
    response = response || out.row->need == Need::response;
    adapter = adapter || out.row->need == Need::adapter;
  }
  if (to_standard_output > 1) return "only one output may go to standard output ('-')";
  if (d.has_step && !txt)
    return std::string("--step is the data file's: it needs ") + data_file_output.option;
  if (d.has_paper && !pdf)
    return std::string("--paper is the pages': it needs ") + pages_output.option;
  if (response && d.driver_file.empty())
    return "the response needs the driver's parameters: --driver-file";
  if (!response && !adapter && !d.driver_file.empty())
    return "--driver-file is the response's and the adapter's: it needs " + driver_file_options();
  return "";
}

}  // namespace

Options read_options(int argc, const char* const argv[]) {
  Options options;
  Given given;
  for (int i = 1; i < argc && given.refusal.empty(); ++i) {
    const std::string argument = argv[i];
    // --name=value as well as --name value.
    const std::size_t equals = argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
    const Found row = find_row(argument.substr(0, equals));
    if ((!row.option && !row.output) || (equals != std::string::npos && !row.value())) {
      refuse(given, "unknown option '" + argument + "'");
      break;
    }
    const char* value = nullptr;
    if (row.value()) {
      if (equals != std::string::npos) {
        value = argv[i] + equals + 1;
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        refuse(given, "option '" + argument + "' needs a value (" + row.value() + ")");
        break;
      }
    }
    if (row.output)
      add_output(given, *row.output, value);
    else
      apply(*row.option, options, given, value);
  }
  if (!given.refusal.empty()) {
    options.action = Action::refuse;
    options.refusal = given.refusal;
    return options;
  }
  if (options.action != Action::dialogue) return options;
  options.refusal = print_height(given.print_height, options.millimetres, options.print_height);
  if (options.refusal.empty() && !given.any_design) return options;
  if (options.refusal.empty()) options.refusal = read_design(given, options.millimetres, options);
  options.action = options.refusal.empty() ? Action::compute : Action::refuse;
  return options;
}

namespace {

// Two columns; a line feed in the right one continues it under itself. A
// left column too wide for its width stands on a line of its own, the text
// beneath it in the right column.
void append_column(std::string& text, const std::string& left, std::size_t width,
                   const char* right) {
  text += "  " + left;
  if (left.size() < width)
    text.append(width - left.size(), ' ');
  else
    text.append("\n").append(2 + width, ' ');
  for (const char* c = right; *c; ++c) {
    text += *c;
    if (*c == '\n') text.append(width + 2, ' ');
  }
  text += '\n';
}

bool is_design(const OptionRow& row) { return row.value != nullptr && !row.setting; }

// The Macro screen's answers from the rows, each key once with its words,
// wrapped under the M of the list of commands.
std::string macro_answers() {
  std::string text, line;
  char last = 0;
  for (const OutputRow& row : output_rows()) {
    if (row.command != Command::macro || row.key == last) continue;
    last = row.key;
    const std::string item = std::string(line.empty() ? "" : ", ") + row.key + " " + row.answer;
    if (9 + line.size() + item.size() > 78) {
      text += std::string(9, ' ') + line + ",\n";
      line = item.substr(2);
    } else {
      line += item;
    }
  }
  return text + std::string(9, ' ') + line + "\n";
}

void append_rows(std::string& text, bool (*wanted)(const OptionRow&)) {
  for (const OptionRow& row : option_rows) {
    if (!wanted(row)) continue;
    std::string names = row.names[0];
    for (std::size_t i = 1; i < 3 && row.names[i]; ++i) names += std::string(", ") + row.names[i];
    if (row.value) names += std::string(" ") + row.value;
    append_column(text, names, 18, row.help);
  }
}

// What the program is, and the answers at its command line.
std::string help_dialogue() {
  return
      "Usage: bellform [--mm] [--print-height MM]\n"
      "       bellform [--mm] [--print-height MM] --mouth WxH --throat T [--driver D]\n"
      "                [--length L] [--step S] [--paper P] [--driver-file FILE]\n"
      "                [OUTPUT...]\n"
      "Lay out a rectangular loudspeaker horn whose section area follows a tractrix.\n"
      "\n"
      "With no option but --mm and --print-height, Bellform asks for the mouth width,\n"
      "the mouth height, the side of the square throat and the diameter of the\n"
      "driver's round throat, in inches (with --mm in millimetres), and shows the\n"
      "stations along a top or bottom piece, the length and angle of the pieces, the\n"
      "driver adapter and the cutoff frequency. It needs a terminal of at least\n"
      "80 x 25; on Windows it opens a console window of its own.\n"
      "\n"
      "Under each report, type a new length, or:\n"
      "  S      back to the natural length\n"
      "  F      write the report to a file, at the step you type next\n"
      "  M      write a file of the horn, the Macro screen's answer typed next:\n" +
      macro_answers() +
      "         (P and R then ask for the driver file, see --driver-file)\n"
      "  Enter  on an empty line: end the program, as does any answer that is not\n"
      "         a command and reads as the number 0 (0, or text such as x)\n"
      "While typing: Left, Right, Home, End, Backspace, Delete, Insert (insert or\n"
      "overwrite), Tab (to the end), Esc (back to the start), Enter to accept.\n"
      "Ctrl+C ends the program at once.\n";
}

// Each file with the answer that writes it.
std::string help_files() {
  std::string text =
      "\nFiles, written in the current directory (an existing one is replaced whole):\n";
  for (const OutputRow& row : output_rows()) {
    const std::string answer = row.command == Command::file ? " (F)"
                                                            : std::string(" (M, ") + row.key + ")";
    append_column(text, row.file, 16, (row.about + answer).c_str());
  }
  text +=
      "The response's level is the power it radiates on a half space, referred to\n"
      "1 m; its phase, that of the mouth as a point source, relative to the mouth's\n"
      "plane (the travel through the horn included).\n";
  return text;
}

// The options, those of a design given in full and each output's.
std::string help_options() {
  std::string text = "\nOptions:\n";
  append_rows(text, [](const OptionRow& row) { return !is_design(row); });
  text +=
      "\n"
      "Given --mouth and --throat, Bellform asks nothing and needs no terminal: it\n"
      "lays out that horn and writes each OUTPUT named, the same bytes as the\n"
      "dialogue's file. Values are numbers in full (in mm with --mm).\n";
  append_rows(text, is_design);
  text += "OUTPUT, each to a FILE, or to standard output for a FILE of - (one at most):\n";
  for (const OutputRow& row : output_rows())
    append_column(text, std::string(row.option) + " FILE", 18, row.help);
  return text + "With no OUTPUT: --txt -, the report at the stations the screen shows.\n";
}

}  // namespace

std::string help_text() {
  return help_dialogue() + help_files() + help_options() +
      "\n"
      "Exit status:\n"
      "  0  the dialogue was ended, the help or version shown, or every output written\n"
      "  1  the terminal's input was lost, or standard output could not be written;\n"
      "     given a design: it, its length or its step was refused, or a file was\n"
      "     not written\n"
      "  2  no terminal to talk to, or an option not understood\n"
      "Ctrl+C ends the program by its signal (SIGINT); on Windows, as Windows ends a\n"
      "console program.\n";
}

std::string version_text() { return std::string("bellform ") + version + "\n"; }

std::string refusal_text(const Options& options) {
  return "bellform: " + options.refusal + "\nTry 'bellform --help'.\n";
}

}  // namespace bellform
