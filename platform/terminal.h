// The terminal edge of the headless front end.
#pragma once

#include <cstdio>

namespace pagelark::platform {

// True when the stream writes to a terminal (a live status line makes sense).
bool IsTerminal(std::FILE* stream);

// The terminal's width in columns, or 0 when it is not known.
int TerminalColumns(std::FILE* stream);

// From now on the first interrupt (Ctrl-C) only raises a flag that
// InterruptRequested() reports; a second one ends the process as usual.
void CatchFirstInterrupt();
bool InterruptRequested();

}  // namespace pagelark::platform
