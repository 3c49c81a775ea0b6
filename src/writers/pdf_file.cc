#include "writers/pdf_file.h"

namespace bellform {

namespace {

// The cross-reference table gives each offset in ten digits.
constexpr std::size_t largest_offset = 9999999999u;

}  // namespace

PdfFile::PdfFile(std::string& bytes, int objects)
    : bytes_(bytes), out_(bytes), offsets_(static_cast<std::size_t>(objects) + 1, 0) {
  // The second line's bytes above 127 tell a transfer program the file is
  // binary, so it does not rewrite the line ends the offsets count.
  out_.add("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

TextOut& PdfFile::begin(int number) {
  offsets_.at(static_cast<std::size_t>(number)) = bytes_.size();
  out_.put("%d 0 obj\n", number);
  return out_;
}

void PdfFile::stream(int number, const std::string& content) {
  begin(number).put("<< /Length %zu >>\nstream\n", content.size());
  bytes_ += content;
  out_.add("\nendstream\n");
  end();
}

bool PdfFile::finish(int catalog, int info) {
  const std::size_t xref = bytes_.size();
  out_.put("xref\n0 %zu\n", offsets_.size());
  // Each entry exactly 20 bytes, its line end a blank and a line feed.
  out_.add("0000000000 65535 f \n");
  bool whole = true;
  for (std::size_t n = 1; n < offsets_.size(); ++n) {
    whole = whole && offsets_[n] != 0 && offsets_[n] <= largest_offset;
    out_.put("%010zu 00000 n \n", offsets_[n]);
  }
  out_.put("trailer\n<< /Size %zu /Root %d 0 R /Info %d 0 R >>\nstartxref\n%zu\n%%%%EOF\n",
           offsets_.size(), catalog, info, xref);
  return whole;
}

}  // namespace bellform
