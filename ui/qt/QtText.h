// The one place where the window's CP932 texts become Qt strings and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace pagelark::ui {

inline QString ToQt(std::string_view cp932Text) { return QString::fromStdString(cp932::ToUtf8(cp932Text)); }

inline std::string FromQt(const QString& text) { return cp932::FromUtf8(text.toStdString()); }

}  // namespace pagelark::ui
