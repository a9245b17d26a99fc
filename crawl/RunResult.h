// How a start command and a run end.
#pragma once

namespace pagelark {

enum class StartResult {
  kEnded,    // the run reached its end sequence
  kRefused,  // the settings were refused, or the run was abandoned
  kBusy,     // a run was already going: refused with a message
};

enum class RunResult {
  kEnded,      // the end sequence ran
  kAbandoned,  // a counter field was refused, or a start URL ending in "/" had no index page
};

}  // namespace pagelark
