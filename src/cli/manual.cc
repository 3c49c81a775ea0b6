#include "cli/manual.h"

#include "writers/outputs.h"

namespace bellform {

namespace {

// Text as roff shows it: a hyphen is a minus sign in an option's name and
// a backslash is itself.
std::string roff(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '-')
      out += "\\-";
    else if (c == '\\')
      out += "\\e";
    else
      out += c;
  }
  return out;
}

// A line of the help as a sentence of the manual: a capital, a full stop.
std::string sentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text + ".";
}

std::string option_list() {
  std::string list;
  for (const OutputRow& row : output_rows())
    list += ".TP\n.BI " + roff(row.option) + " \" FILE\"\n" + sentence(roff(row.help)) + "\n";
  return list;
}

std::string file_list() {
  std::string list;
  for (const OutputRow& row : output_rows()) {
    const std::string answer = row.command == Command::file ? "F" : std::string("M, ") + row.key;
    list +=
        ".TP\n.I " + roff(row.file) + "\n" + sentence(roff(row.about) + " (" + answer + ")") + "\n";
  }
  return list;
}

}  // namespace

// The comment lines of the page that the lists take the place of.
constexpr std::string_view options_here =
    ".\\\" the outputs' options: the build fills them in from the table of outputs";
constexpr std::string_view files_here =
    ".\\\" the files: the build fills them in from the table of outputs";

std::string manual_page(std::string_view page, std::string& out) {
  int filled = 0;
  while (!page.empty()) {
    const std::size_t end = page.find('\n');
    const std::string_view line = page.substr(0, end);
    page = end == std::string_view::npos ? std::string_view() : page.substr(end + 1);
    if (line == options_here)
      out += option_list();
    else if (line == files_here)
      out += file_list();
    else
      out.append(line).append("\n");
    filled += line == options_here ? 1 : line == files_here ? 2 : 0;
  }
  if (filled == 3) return "";
  return std::string("no line for the ") + (filled == 2 ? "options" : "files") +
         " of the table of outputs";
}

}  // namespace bellform
