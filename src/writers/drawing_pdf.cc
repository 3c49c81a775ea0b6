// The pages as a PDF 1.4 file of our own making, vector only: paths, and
// text in Helvetica, which every reader has. Each page a window of the
// sheet at true size, its MediaBox the paper in points.
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

bool page(PdfFile& pdf, const Sheet& sheet, const DrawingUnits& units,
          const PageLayout& layout, int number) {
  const int row = number / layout.grid.columns, column = number % layout.grid.columns;
  std::string content;
  TextOut out(content);
  draw_window(out, sheet, units, layout, row, column);
  draw_margin(out, sheet, units, layout, row, column);
  NumberText width, height;
  format_points(width, layout.paper_width);
  format_points(height, layout.paper_height);
  pdf.begin(page_object(number))
      .put("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %s %s] "
           "/Resources << /Font << /%s %d 0 R /%s %d 0 R >> /ProcSet [/PDF /Text] >> "
           "/Contents %d 0 R >>\n",
           page_tree, width, height, regular_font, regular, bold_font, bold,
           page_object(number) + 1);
  pdf.end();
  pdf.stream(page_object(number) + 1, content);
  return out.ok();
}

}  // namespace

bool write_pdf_pages(std::string& bytes, const Sheet& sheet, const DrawingUnits& units,
                     Paper paper) {
  PageLayout layout;
  if (!lay_out_pages(sheet, units, paper, layout)) return false;
  const int pages = layout.grid.pages();
  PdfFile pdf(bytes, page_object(pages) - 1);
  document_objects(pdf, pages);
  bool ok = true;
  for (int p = 0; p < pages; ++p) ok = page(pdf, sheet, units, layout, p) && ok;
  return pdf.finish(catalog, info) && ok;
}

}  // namespace bellform
