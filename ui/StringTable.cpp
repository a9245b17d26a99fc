#include "ui/StringTable.h"

#include <array>
#include <utility>

#include "messages/WindowTexts.h"
#include "ui/ControlIds.h"

namespace pagelark::ui {
namespace {

constexpr std::array<std::pair<int, const char*>, 10> kStrings = {{
    {id::kStringSysVersion, kSysMenuVersion},
    {id::kToolNew, kTipNew},
    {id::kToolOpen, kTipOpen},
    {id::kToolSave, kTipSave},
    {id::kToolExit, kTipExit},
    {id::kToolStart, kTipStart},
    {id::kToolStop, kTipStop},
    {id::kToolShowHtml, kTipShowHtml},
    {id::kToolHelp, kTipHelp},
    {id::kToolHomePage, kTipHomePage},
}};

}  // namespace

std::string LoadString(int stringId) {
  for (const auto& [key, text] : kStrings) {
    if (key == stringId) return text;
  }
  return {};
}

}  // namespace pagelark::ui
