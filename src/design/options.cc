#include "design/options.h"

#include <cstring>

#include "design/texts.h"

namespace bellform {

namespace {

// One row an option: its spellings, its line in the help, what it asks for.
// "/?" is the Windows form of help; it is read on every system alike.
struct OptionRow {
  const char* names[3];
  const char* help;
  void (*apply)(Options&);
};

const OptionRow option_rows[] = {
    {{"-h", "--help", "/?"}, "show this help and exit (/? is the Windows form)",
     [](Options& o) { o.action = Action::help; }},
    {{"-V", "--version"}, "show the version and exit",
     [](Options& o) {
       if (o.action != Action::help) o.action = Action::version;
     }},
    {{"--mm"}, "millimetres: every length typed, shown and written in mm",
     [](Options& o) { o.millimetres = true; }},
};

const OptionRow* find_row(const char* argument) {
  for (const OptionRow& row : option_rows)
    for (const char* name : row.names)
      if (name && std::strcmp(name, argument) == 0) return &row;
  return nullptr;
}

// The files the program writes, with the command that writes each.
const char* const written_files[][2] = {
    {"bellform.txt", "the report with every station and the jig dimensions (F)"},
    {"horn.scr", "the outline of a top or bottom piece, an AutoCAD script (M, A)"},
    {"horn.mcr", "the same outline as a General CADD macro (M, G)"},
    {"horn.dxf", "the piece and a side panel laid flat, a DXF drawing (M, D)"},
    {"horn.svg", "the same as an SVG template that prints at full size (M, S)"},
};

void append_column(std::string& text, const std::string& left,
                   std::size_t width, const char* right) {
  text += "  " + left;
  text.append(left.size() < width ? width - left.size() : 1, ' ');
  text += right;
  text += '\n';
}

}  // namespace

Options read_options(int argc, const char* const argv[]) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const OptionRow* row = find_row(argv[i]);
    if (!row) {
      options.action = Action::refuse;
      options.refused = argv[i];
      return options;
    }
    row->apply(options);
  }
  return options;
}

std::string help_text() {
  std::string text =
      "Usage: bellform [OPTION]\n"
      "Lay out a rectangular loudspeaker horn whose section area follows a tractrix.\n"
      "\n"
      "With no option, Bellform asks for the mouth width, the mouth height, the side\n"
      "of the square throat and the diameter of the driver's round throat, in\n"
      "inches (with --mm in millimetres), and shows the stations along a top or\n"
      "bottom piece, the length and angle of the pieces, the driver adapter and the\n"
      "cutoff frequency. It needs a terminal of at least 80 x 25; on Windows it opens\n"
      "a console window of its own.\n"
      "\n"
      "Under each report, type a new length, or:\n"
      "  S      back to the natural length\n"
      "  F      write the report to a file, at the step you type next\n"
      "  M      write the outline of a piece: A AutoCAD script, G General CADD macro,\n"
      "         D DXF drawing, S SVG template\n"
      "  Enter  on an empty line: end the program, as does any answer that is not\n"
      "         a command and reads as the number 0 (0, or text such as x)\n"
      "While typing: Left, Right, Home, End, Backspace, Delete, Insert (insert or\n"
      "overwrite), Tab (to the end), Esc (back to the start), Enter to accept.\n"
      "Ctrl+C ends the program at once.\n"
      "\n"
      "Files, written in the current directory (an existing one is replaced):\n";
  for (const auto& file : written_files) append_column(text, file[0], 14, file[1]);
  text += "\nOptions:\n";
  for (const OptionRow& row : option_rows) {
    std::string names = row.names[0];
    for (std::size_t i = 1; i < 3 && row.names[i]; ++i) names += std::string(", ") + row.names[i];
    append_column(text, names, 18, row.help);
  }
  text +=
      "\n"
      "Exit status:\n"
      "  0  the dialogue was ended, or the help or version was shown\n"
      "  1  the terminal's input was lost, or standard output could not be written\n"
      "  2  no terminal to talk to, or an option not understood\n"
      "Ctrl+C ends the program by its signal (SIGINT); on Windows, as Windows ends a\n"
      "console program.\n";
  return text;
}

std::string version_text() { return std::string("bellform ") + version + "\n"; }

std::string refusal_text(const Options& options) {
  return "bellform: unknown option '" + options.refused +
         "'\nTry 'bellform --help'.\n";
}

}  // namespace bellform
