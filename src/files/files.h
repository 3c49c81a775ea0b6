// The files the program writes, each replaced whole: the one way any file
// is written, and the process's standard output, byte for byte. Only
// writing is here: the one file the program reads, the driver file, is
// opened by its reader (design/driver_file.cc) with std::ifstream, since a
// read that fails leaves nothing half-done on the disk.
#pragma once

#include <string>

namespace bellform {

// Writes `bytes` as the file `name`: the old file, if any, keeps its name
// and its permission bits until the new text is safely on the disk, and
// stays as it was when anything fails. A symbolic link stays a link to the
// file it names, which is the one replaced. Empty when written; otherwise
// the system's reason.
std::string replace_file(const char* name, const std::string& bytes);

// Writes `bytes` to the process's standard output, as they are: on every
// system a line ends with a line feed alone. Empty when written; otherwise
// the system's reason.
std::string write_standard_output(const std::string& bytes);

}  // namespace bellform
