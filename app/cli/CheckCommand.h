// pagelark-cli --check DIR: the mirror check, reported on standard output.
#pragma once

#include <cstdio>
#include <string>

namespace pagelark::cli {

// Checks the mirror below `folder` (a native path) and prints one line per
// finding, then a summary line. 0 when the mirror is whole, else 1.
int RunMirrorCheck(const std::string& folder, std::FILE* out);

}  // namespace pagelark::cli
