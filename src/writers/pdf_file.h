// A PDF 1.4 file put together in memory, object by object: the header,
// numbered objects, the cross-reference table of their byte offsets, and
// the trailer. Nothing in it varies from run to run (no date, no random
// identifier), so a drawing gives the same bytes on every system.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "writers/text_out.h"

namespace bellform {

class PdfFile {
 public:
  // Writes the header; the objects are numbered 1 to `objects`.
  PdfFile(std::string& bytes, int objects);

  // Starts object `number` ("n 0 obj"); its text follows through the
  // TextOut returned, until end().
  TextOut& begin(int number);
  void end() { out_.add("endobj\n"); }
  // A whole object holding a stream of `content`, uncompressed.
  void stream(int number, const std::string& content);

  // The cross-reference table and the trailer naming the catalogue and the
  // document's information; false when an object was never written or an
  // offset is past the table's ten digits.
  bool finish(int catalog, int info);

 private:
  std::string& bytes_;
  TextOut out_;
  std::vector<std::size_t> offsets_;  // by object number; 0 while unwritten
};

}  // namespace bellform
