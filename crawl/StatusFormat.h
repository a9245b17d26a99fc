// Status line texts from their printf formats ("%d / %d:     %s...").
#pragma once

#include <string>

namespace pagelark {

// Replaces each "%d" with the next number and "%s" with `text`, in order;
// CP932 bytes of the format are kept as they are (no trail byte is "%").
std::string FormatStatus(const std::string& format, int first, int second = 0, const std::string& text = {});

}  // namespace pagelark
