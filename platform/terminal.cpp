#include "platform/terminal.h"

#include <unistd.h>

namespace pagelark::platform {

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

}  // namespace pagelark::platform
