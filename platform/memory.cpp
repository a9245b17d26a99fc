#include "platform/memory.h"

#include <malloc.h>

namespace pagelark::platform {

void ShareOneHeapArena() {
#ifdef M_ARENA_MAX
  mallopt(M_ARENA_MAX, 1);
#endif
}

}  // namespace pagelark::platform
