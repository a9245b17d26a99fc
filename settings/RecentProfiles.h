// The list of recent profiles that set.ini keeps beside the start-up profile.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pagelark {

// The paths of keys Recent1..Recent4 in set.ini in `programDir`, in key
// order, without empty values; none when the file or the keys are missing.
std::vector<std::string> ReadRecentProfiles(std::string_view programDir);

// Stores `paths` (at most four count) as Recent1..RecentN after every other
// key of the section and removes the keys beyond them. A list equal to the
// stored one leaves the file untouched, so a set.ini without the keys stays
// byte for byte as it was while the list is empty. False when set.ini could
// not be written.
bool WriteRecentProfiles(std::string_view programDir, const std::vector<std::string>& paths);

}  // namespace pagelark
