// How the process's heap is kept.
#pragma once

namespace pagelark::platform {

// One heap arena for every thread. The threads that carry transfers would
// otherwise each get an arena of their own, which keeps the bodies it held
// after they are freed; with one, the memory a body leaves serves the next,
// whichever thread takes it. Called once, at the start of main.
void ShareOneHeapArena();

}  // namespace pagelark::platform
