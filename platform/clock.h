// The local wall-clock time.
#pragma once

#include <ctime>

namespace pagelark::platform {

std::tm LocalTimeNow();

}  // namespace pagelark::platform
