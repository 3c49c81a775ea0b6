// The horn as the user typed it, in the user's unit, as the files that
// show it say it.
#pragma once

#include <string>

#include "design/record.h"

namespace bellform {

// For a chart's title:
// "mouth 12 wide x 12 high, throat 2, driver 2, length 10.91 In.".
std::string horn_words(const DesignRecord& rec);

}  // namespace bellform
