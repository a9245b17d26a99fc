// Texts of the run: its message boxes, progress lines and status line
// formats, and the profile messages. The engine (platform, settings, links,
// net, crawl) and the command-line program use these texts only; the window's
// own texts are in messages/WindowTexts.h.
//
// Each text is a CP932 byte string, bytes above 0x7F written as hex escapes.
// The comment that ends its declaration is the same text in UTF-8;
// tests/messages converts every such comment to CP932 and checks it against
// the bytes, so write the comment first (the test's failure message shows the
// bytes to paste). Comments:
// - every text has one, written exactly, plain ASCII texts included;
// - a backslash starts a C escape: \n is a line break, \\ a backslash;
// - a text that begins or ends with a blank goes between double quotes, which
//   are not part of the text.
#pragma once

namespace pagelark::msg {

// The run: message boxes.
inline constexpr char kFolderMissingCreating[] =
    "\x83"
    "f\x83"
    "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81"
    "B\x8D\xEC\x90\xAC\x82\xB5\x82\xDC\x82\xB7";  // ディレクトリが存在しません。作成します
inline constexpr char kFolderCannotBeCreated[] =
    "\x83"
    "f\x83"
    "B\x83\x8C\x83N\x83g\x83\x8A\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81"
    "B\x8F\x88\x97\x9D\x82\xF0\x8FI\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81"
    "B";  // ディレクトリを作成できません。処理を終了します。
inline constexpr char kValueNotSet[] =
    "\x92l\x82\xAA\x90\xDD\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1";  // 値が設定されていません
inline constexpr char kMaxFilesAboveZero[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x90\x94\x82\xCD"
    "0\x88\xC8\x8F\xE3\x82\xF0\x8Ew\x92\xE8\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81"
    "B";  // ダウンロード数は0以上を指定してください。
inline constexpr char kMaxDuplicateLinksAboveZero[] =
    "\x8D\xC5\x91\xE5\x8C\x9F\x8D\xF5\x8F"
    "d\x95\xA1\x83\x8A\x83\x93\x83N\x83t\x83@\x83"
    "C\x83\x8B\x90\x94\x82\xCD"
    "0\x88\xC8\x8F\xE3\x82\xF0\x8Ew\x92\xE8\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81"
    "B";  // 最大検索重複リンクファイル数は0以上を指定してください。
inline constexpr char kStepAtLeastOne[] =
    "1\x88\xC8\x8F\xE3\x82\xF0\x8Ew\x92\xE8\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";  // 1以上を指定してください
inline constexpr char kDownloadComplete[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x8A\xAE\x97\xB9";  // ダウンロード完了
// A start command with no URL (empty, or a scheme and nothing more).
inline constexpr char kUrlNotSet[] =
    "URL\x82\xAA\x93\xFC\x97\xCD\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";  // URLが入力されていません。
// A download folder that names a drive, on a platform without drives (a
// profile written on Windows); the folder follows.
inline constexpr char kForeignFolder[] =
    "\x82\xB1\x82\xCC\x83V\x83X\x83"
    "e\x83\x80\x82\xC5\x82\xCD\x8Eg\x82\xA6\x82\xC8\x82\xA2\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x83p\x83X\x82\xC5\x82\xB7\x81"
    "B \x83p\x83X=";  // このシステムでは使えないダウンロードパスです。 パス=
// A run ended by the stop command or by closing the window: its last line
// and its message, in place of kDownloadComplete.
inline constexpr char kDownloadStopped[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xF0\x92\x86\x8E~\x82\xB5\x82\xDC\x82\xB5\x82\xBD";  // ダウンロードを中止しました
// A start command while a run is going.
// A file of the run cannot be written (the disk is full): the run ends.
inline constexpr char kCannotWriteDisk[] =
    "\x83"
    "f\x83"
    "B\x83X\x83N\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x81"
    "B\x8F\x88\x97\x9D\x82\xF0\x8FI\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81"
    "B";  // ディスクに書き込めません。処理を終了します。
inline constexpr char kRunInProgress[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x92\x86\x82\xC5\x82\xB7\x81"
    "B\x92\x86\x8E~\x82\xB5\x82\xC4\x82\xA9\x82\xE7\x8AJ\x8En\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81"
    "B";  // ダウンロード中です。中止してから開始してください。

// The run: progress lines (a URL goes before each ending).
inline constexpr char kStartLine[] =
    "HTML\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xF0\x8AJ\x8En\x82\xB5\x82\xDC\x82\xB7\x81"
    "B \x8E\x9E\x8A\xD4=";  // HTMLダウンロードを開始します。 時間=
inline constexpr char kEndLine[] =
    "HTML\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xF0\x8FI\x97\xB9\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B \x8E\x9E\x8A\xD4=";  // HTMLダウンロードを終了しました。 時間=
inline constexpr char kDownloading[] =
    "\x82\xF0\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x92\x86";  // をダウンロード中
inline constexpr char kSucceeded[] =
    "\x82\xCC\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xC9\x90\xAC\x8C\xF7\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B";  // のダウンロードに成功しました。
inline constexpr char kFailed[] =
    "\x82\xCC\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B";  // のダウンロードに失敗しました。
inline constexpr char kCannotCreate[] =
    "\x82\xCC\x8D\xEC\x90\xAC\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B";  // の作成に失敗しました。
inline constexpr char kCannotDownload[] =
    "\x82\xCD\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";  // はダウンロードできません。

// The run: status line formats.
inline constexpr char kStatusDownloading[] =
    "%d / %d:     %s\x82\xF0\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x92\x86";  // %d / %d:     %sをダウンロード中
// After a failure line: its URL and why it failed ("HTTP 404", "timed out").
inline constexpr char kStatusFailed[] =
    "%d / %d:     %s\x82\xCC\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD"
    "\x81i%s\x81j";  // %d / %d:     %sのダウンロードに失敗しました（%s）
inline constexpr char kStatusCount[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x8C\x8F\x90\x94 %d";  // ダウンロード件数 %d
// While candidates are added; %d is the list's length.
inline constexpr char kAddingCandidate[] = "%d\x8C\x8F\x96\xDA\x82\xF0\x92\xC7\x89\xC1\x92\x86";  // %d件目を追加中

// Profiles.
inline constexpr char kSetIniWriteFailed[] =
    "\x8F\x89\x8A\xFA\x90\xDD\x92\xE8\x83t\x83@\x83"
    "C\x83\x8B\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B";  // 初期設定ファイルの書き込みに失敗しました。
// Follows the name of a key whose write failed ("Kind3...").
inline constexpr char kKeyWriteFailed[] =
    "\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B";  // の書き込みに失敗しました。
// Status line after a profile has been read.
inline constexpr char kReadFinished[] = "\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x8FI\x97\xB9";  // 読み込み終了

}  // namespace pagelark::msg
