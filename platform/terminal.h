// The terminal edge of the headless front end.
#pragma once

#include <cstdio>

namespace pagelark::platform {

// True when the stream writes to a terminal (a live status line makes sense).
bool IsTerminal(std::FILE* stream);

}  // namespace pagelark::platform
