// The application title: the caption of every failure report and the label
// of the taskbar button.
#pragma once

#include <string>
#include <string_view>

namespace optics {

// The application title from the running program's file path: the name
// without its directory ('/' separates directories), cut before its first
// ".", every character after the first in lower case (ASCII, Latin-1 and
// full-width Latin letters); the first character keeps its case.
//   "/usr/bin/Ostrine" -> "Ostrine"     "OSTRINE.EXE" -> "Ostrine"
//   "ostrine.old.exe" -> "ostrine"
std::string ApplicationTitle(std::string_view program_path);

}  // namespace optics
