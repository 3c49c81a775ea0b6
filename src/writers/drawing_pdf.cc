// The pages as a PDF 1.4 file of our own making, vector only: paths, and
// text in Helvetica, which every reader has. Each page a window of the
// sheet at true size, its MediaBox the paper in points; the map, when
// there is one, first.
#include "writers/drawing_pdf.h"

#include "writers/page_content.h"
#include "writers/pdf_file.h"
#include "writers/pdf_text.h"

namespace bellform {

namespace {

// Object numbers: the document's own first, then each page and its
// content stream.
constexpr int catalog = 1, page_tree = 2, regular = 3, bold = 4, info = 5, first_page = 6;
int page_object(int page) { return first_page + 2 * page; }

void document_objects(PdfFile& pdf, int pages) {
  // Readers that know it (PDF 1.6 on) offer to print at 100% from the
  // start; older ones pass the key by.
  pdf.begin(catalog).put("<< /Type /Catalog /Pages %d 0 R "
                         "/ViewerPreferences << /PrintScaling /None >> >>\n", page_tree);
  pdf.end();
  TextOut& out = pdf.begin(page_tree);
  out.add("<< /Type /Pages /Kids [");
  for (int p = 0; p < pages; ++p) out.put(p == 0 ? "%d 0 R" : " %d 0 R", page_object(p));
  out.put("] /Count %d >>\n", pages);
  pdf.end();
  const char* fonts[] = {"Helvetica", "Helvetica-Bold"};
  for (int f = 0; f < 2; ++f) {
    pdf.begin(regular + f).put("<< /Type /Font /Subtype /Type1 /BaseFont /%s "
                               "/Encoding /WinAnsiEncoding >>\n", fonts[f]);
    pdf.end();
  }
  pdf.begin(info).add("<< /Title (Bellform horn: cutting template at full size, "
                      "in pages to trim and tape) >>\n");
  pdf.end();
}

// Page `number` of the file, counted from 0: the map when `cell` is
// negative, otherwise that window of the grid.
void page(PdfFile& pdf, const PagePlan& plan, int number, int cell) {
  const PageLayout& layout = plan.layout;
  std::string content;
  TextOut out(content);
  if (cell < 0) {
    draw_map(out, plan);
  } else {
    const int row = cell / layout.grid.columns, column = cell % layout.grid.columns;
    draw_window(out, plan, row, column);
    draw_margin(out, plan, row, column);
  }
  pdf.begin(page_object(number))
      .put("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %s %s] "
           "/Resources << /Font << /%s %d 0 R /%s %d 0 R >> /ProcSet [/PDF /Text] >> "
           "/Contents %d 0 R >>\n",
           page_tree, Points(layout.paper_width).c_str(), Points(layout.paper_height).c_str(),
           regular_font, regular, bold_font, bold,
           page_object(number) + 1);
  pdf.end();
  pdf.stream(page_object(number) + 1, content);
}

}  // namespace

std::string write_pdf_pages(std::string& bytes, const PagePlan& plan) {
  PdfFile pdf(bytes, page_object(plan.pages) - 1);
  document_objects(pdf, plan.pages);
  int number = 0;
  if (plan.has_map()) page(pdf, plan, number++, -1);
  for (std::size_t cell = 0; cell < plan.page.size(); ++cell)
    if (plan.page[cell]) page(pdf, plan, number++, static_cast<int>(cell));
  if (pdf.finish(catalog, info)) return "";
  return "a number of this horn is too long to write";
}

}  // namespace bellform
