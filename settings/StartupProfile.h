// Choosing the profile the program starts with.
#pragma once

#include <string>

#include "settings/Host.h"

namespace pagelark {

// Reads key INI of set.ini in `programDir` (system form; the caller passes
// the program's own folder, or another for tests and the headless front
// end). When it names a profile, that profile is read into the front end
// and its path returned; a bare file name there means a file in
// `programDir`. Otherwise (a first start) the first-start settings go into
// the front end, nothing is read or written, and the result is
// programDir + "Pagelark.ini". Shows no message on any path.
std::string LoadStartupProfile(const std::string& programDir, Host& host);

}  // namespace pagelark
