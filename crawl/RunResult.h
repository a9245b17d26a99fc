// How a start command and a run end.
#pragma once

namespace pagelark {

enum class StartResult {
  kEnded,    // the run reached its end sequence
  kStopped,  // the run was stopped and ended in its end sequence
  kRefused,  // the settings were refused, or the run was abandoned
  kBusy,     // a run was already going: refused with a message
};

enum class RunResult {
  kEnded,      // the end sequence ran
  kStopped,    // the end sequence ran after a stop
  kAbandoned,  // a counter field was refused, or a start URL ending in "/" had no index page
};

}  // namespace pagelark
