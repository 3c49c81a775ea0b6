// How the files say the horn: the numbers the user typed, in the user's
// unit as typed (%g), and its lengths to the hundredth of an inch or the
// tenth of a millimetre. The charts' titles and the drawings' caption each
// word it their own way, over the same numbers.
#pragma once

#include <string>

#include "design/record.h"

namespace bellform {

// For a chart's title:
// "mouth 12 wide x 12 high, throat 2, driver 2, length 10.10 In.".
std::string horn_words(const DesignRecord& rec);

// For the drawings, beneath the parts and in each page's margin: which part
// is which, the horn, and the piece's length and angle, with the words
// "print at 100%". The record is that of an outline pass.
std::string sheet_caption(const DesignRecord& rec);

}  // namespace bellform
