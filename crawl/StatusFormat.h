// Status line texts from their printf formats.
#pragma once

#include <string>
#include <vector>

namespace pagelark {

// Replaces the format's "%d" and "%s" markers, in order, by `values`; CP932
// bytes of the format stay as they are (no trail byte is "%").
std::string FormatStatus(const std::string& format, const std::vector<std::string>& values);

}  // namespace pagelark
