// What every SVG file shares, the template and the charts: its first lines,
// and text from outside the program made safe to stand in it.
#pragma once

#include <string>

#include "writers/text_out.h"

namespace bellform {

// An SVG file's first lines: the XML declaration, the <svg> element of that
// width, height (each with its unit) and view box, and its title.
void svg_prologue(TextOut& out, const std::string& width, const std::string& height,
                  const std::string& view_box, const std::string& title);

// Text for an SVG: & < > " escaped; each byte that is not UTF-8 (an
// overlong form, a surrogate, past U+10FFFF) and each character XML refuses
// (a control but tab and line ends, U+FFFE, U+FFFF) as U+FFFD.
std::string xml_text(const std::string& text);

}  // namespace bellform
