// The text beside the window's progress bar: how many candidates of the
// list are done, the time the run has taken and its rates.
#pragma once

#include <string>

#include "settings/Host.h"

namespace pagelark::ui {

// "12 / 340  経過 1:05  3.4 件/秒  350 KB/秒" (CP932): minutes and seconds,
// hours when the run has taken that long; both rates are averages over the
// whole run (steady, unlike the rate of the last seconds), left out in the
// first second.
std::string ProgressText(const RunProgress& progress, double seconds);

// "512 B/秒", "3.5 KB/秒", "350 KB/秒", "1.2 MB/秒": a kilobyte is 1024
// bytes; one decimal below 10 of a unit larger than a byte.
std::string ByteRate(double bytesPerSecond);

}  // namespace pagelark::ui
