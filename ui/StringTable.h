// The string table: texts looked up by ID, as the toolbar's tooltips and the
// system menu's version item are.
#pragma once

#include <string>

namespace pagelark::ui {

// The text with this ID, or an empty text when there is none (the window's
// controls have no strings, so they show no tooltip).
std::string LoadString(int stringId);

}  // namespace pagelark::ui
