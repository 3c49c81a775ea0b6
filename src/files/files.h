// The files the program writes, each replaced whole: the one way any file
// is written. Nothing above this layer opens, names or closes a file.
#pragma once

#include <string>

namespace bellform {

// Writes `bytes` as the file `name`: the old file, if any, keeps its name
// and its permission bits until the new text is safely on the disk, and
// stays as it was when anything fails. A symbolic link stays a link to the
// file it names, which is the one replaced. False on a failure, with the
// system's reason in `why` when it is given.
bool replace_file(const char* name, const std::string& bytes, std::string* why = nullptr);

// Writes `bytes` to the process's standard output, as they are: on every
// system a line ends with a line feed alone. False on a failure, with the
// system's reason in `why`.
bool write_standard_output(const std::string& bytes, std::string* why = nullptr);

}  // namespace bellform
