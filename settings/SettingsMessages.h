// The texts that the profile commands show. Written here once in UTF-8 and
// held as CP932 byte strings.
#pragma once

#include <string>

#include "platform/cp932.h"

namespace pagelark::settings_msg {

inline const std::string kSetIniWriteFailed = cp932::FromUtf8("初期設定ファイルの書き込みに失敗しました。");
// Follows the name of a profile key whose write failed ("Kind3の書き込み...").
inline const std::string kKeyWriteFailed = cp932::FromUtf8("の書き込みに失敗しました。");
// Status line after a profile has been read.
inline const std::string kReadFinished = cp932::FromUtf8("読み込み終了");

}  // namespace pagelark::settings_msg
