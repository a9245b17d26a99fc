// Once the downloads are done: a saved page's local links to files the run
// did not store (a failed download, a page of a kind not wanted, a candidate
// beyond the file limit or after a stop) would open nothing, so they get
// their URL back, as links the run never downloads have. A file that an
// earlier run stored there still counts as stored.
#pragma once

#include "links/LinkState.h"

namespace pagelark {

// Rewrites the saved pages that hold such links; returns how many links got
// their URL back. A page that cannot be read or written keeps its links.
// With `pageEncodings` (page requisites on), each page's values are read,
// and its URLs written, in the page's own encoding.
std::size_t RestoreMissingLinks(const LinkState& links, bool oneFolder, bool pageEncodings = false);

}  // namespace pagelark
