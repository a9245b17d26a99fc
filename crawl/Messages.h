// The run's texts: message boxes, progress lines and status line formats.
// Written here once in UTF-8 and held as CP932 byte strings.
#pragma once

#include <string>

#include "platform/cp932.h"

namespace pagelark::msg {

inline const std::string kFolderMissingCreating = cp932::FromUtf8("ディレクトリが存在しません。作成します");
inline const std::string kFolderCannotBeCreated = cp932::FromUtf8("ディレクトリを作成できません。処理を終了します。");
inline const std::string kValueNotSet = cp932::FromUtf8("値が設定されていません");
inline const std::string kMaxFilesAboveZero = cp932::FromUtf8("ダウンロード数は0以上を指定してください。");
inline const std::string kMaxDuplicateLinksAboveZero =
    cp932::FromUtf8("最大検索重複リンクファイル数は0以上を指定してください。");
inline const std::string kStepAtLeastOne = cp932::FromUtf8("1以上を指定してください");
inline const std::string kDownloadComplete = cp932::FromUtf8("ダウンロード完了");
inline const std::string kRunInProgress = cp932::FromUtf8("ダウンロード中です。中止してから開始してください。");

inline const std::string kStartLine = cp932::FromUtf8("HTMLダウンロードを開始します。 時間=");
inline const std::string kEndLine = cp932::FromUtf8("HTMLダウンロードを終了しました。 時間=");
inline const std::string kDownloading = cp932::FromUtf8("をダウンロード中");
inline const std::string kSucceeded = cp932::FromUtf8("のダウンロードに成功しました。");
inline const std::string kFailed = cp932::FromUtf8("のダウンロードに失敗しました。");
inline const std::string kCannotCreate = cp932::FromUtf8("の作成に失敗しました。");
inline const std::string kCannotDownload = cp932::FromUtf8("はダウンロードできません。");

// printf formats of the status line.
inline const std::string kStatusDownloading = cp932::FromUtf8("%d / %d:     %sをダウンロード中");
inline const std::string kStatusCount = cp932::FromUtf8("ダウンロード件数 %d");

}  // namespace pagelark::msg
