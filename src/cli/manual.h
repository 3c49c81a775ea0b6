// The manual page's lists of the files and of their options, from the
// table of outputs, as --help's are: the build fills them into the page.
#pragma once

#include <string>
#include <string_view>

namespace bellform {

// `page` with the comment line that says where the outputs' options go
// replaced by them, and the one for the files by the files, as roff tagged
// paragraphs (manual.cc gives the two lines), into `out`. Empty when both
// were filled in, otherwise which line the page lacks.
std::string manual_page(std::string_view page, std::string& out);

}  // namespace bellform
