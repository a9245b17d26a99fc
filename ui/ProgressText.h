// The text beside the window's progress bar: how many candidates of the
// list are done, the time the run has taken and its rate.
#pragma once

#include <cstddef>
#include <string>

namespace pagelark::ui {

// "12 / 340  経過 1:05  3.4 件/秒" (CP932): minutes and seconds, hours
// when the run has taken that long; the rate is left out in the first second.
std::string ProgressText(std::size_t processed, std::size_t listed, double seconds);

}  // namespace pagelark::ui
