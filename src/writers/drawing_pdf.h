// The template to print at home ("horn-pages.pdf"): the sheet of the SVG
// template, at true size, cut into windows that tile it over ordinary
// sheets of paper, one page each, to trim and tape together. A window no
// line of the drawing crosses is not printed, and when more than one page
// is, a map of them comes first.
#pragma once

#include <string>

#include "writers/page_plan.h"

namespace bellform {

// Appends the whole PDF of a plan made by plan_pages to `out`; empty when
// all is well, otherwise why the file could not be made.
std::string write_pdf_pages(std::string& out, const PagePlan& plan);

}  // namespace bellform
