// The files that live in the program's own folder.
#pragma once

#include <string>
#include <string_view>

namespace pagelark {

// `programDir` in system form, with or without its trailing "\".
std::string SetIniPath(std::string_view programDir);
std::string DefaultProfilePath(std::string_view programDir);

}  // namespace pagelark
