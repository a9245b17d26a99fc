// Texts of the window: captions, labels, menu items, tooltips and the
// window's own messages. Only ui/ uses them; texts of the run that the window
// also shows are in messages/RunTexts.h.
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

namespace pagelark::ui {

// Program name: caption of every message box.
inline constexpr char kAppName[] = "PagelarkCGI";  // PagelarkCGI

// Main window: caption and the labels of its controls.
inline constexpr char kMainCaption[] = "Pagelark From CGI";           // Pagelark From CGI
inline constexpr char kLabelUrl[] = "URL";                            // URL
inline constexpr char kLabelDownloadFolder[] = "DownLoad\x83p\x83X";  // DownLoadパス
inline constexpr char kLabelBrowse[] = "\x8EQ\x8F\xC6";               // 参照
inline constexpr char kGroupOptions[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x83I\x83v\x83V\x83\x87\x83\x93";  // ダウンロードオプション
inline constexpr char kLabelMaxFiles[] =
    "\x8D\xC5\x91\xE5\x8C\x9F\x8D\xF5\x83t\x83@\x83"
    "C\x83\x8B\x90\x94";  // 最大検索ファイル数
inline constexpr char kLabelMaxDuplicateLinks[] =
    "\x8D\xC5\x91\xE5\x8C\x9F\x8D\xF5\x8F"
    "d\x95\xA1\x83\x8A\x83\x93\x83N\x83t\x83@\x83"
    "C\x83\x8B\x90\x94";  // 最大検索重複リンクファイル数
inline constexpr char kLabelBelowStartUrl[] =
    "\x8Ew\x92\xE8\x82\xB5\x82\xBDURL\x88\xC8\x89\xBA\x82\xC9\x82\xC8\x82\xA2URL\x82\xCD\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xB5\x82\xC8\x82\xA2";  // 指定したURL以下にないURLはダウンロードしない
inline constexpr char kLabelSameServer[] =
    "\x93\xAF\x88\xEA\x83T\x81[\x83o\x81[\x82\xCC\x82\xDD\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xB7\x82\xE9";  // 同一サーバーのみダウンロードする
inline constexpr char kLabelOneFolder[] =
    "\x93\xAF\x88\xEA\x83t\x83H\x83\x8B\x83_\x82\xC9\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xB7\x82\xE9";  // 同一フォルダにダウンロードする
inline constexpr char kLabelUseFilter[] =
    "\x83t\x83"
    "B\x83\x8B\x83^\x81[\x82\xF0\x8Eg\x97p\x82\xB7\x82\xE9";  // フィルターを使用する
inline constexpr char kLabelFilterDetail[] =
    "\x83t\x83"
    "B\x83\x8B\x83^\x81[\x8F\xDA\x8D\xD7";  // フィルター詳細
inline constexpr char kLabelWriteLog[] = "\x83\x8D\x83O\x82\xF0\x90\xB6\x90\xAC\x82\xB7\x82\xE9";  // ログを生成する
inline constexpr char kLabelRequisites[] =
    "\x95\x5C\x8E\xA6\x82\xC9\x95K\x97v\x82\xC8\x83t\x83@\x83"
    "C\x83\x8B\x82\xE0\x8E\xE6\x93\xBE\x82\xB7\x82\xE9";  // 表示に必要なファイルも取得する
inline constexpr char kLabelConnections[] = "\x93\xAF\x8E\x9E\x90\xDA\x91\xB1\x90\x94";  // 同時接続数
inline constexpr char kGroupType[] =
    "\x83^\x83"
    "C\x83v";                                 // タイプ
inline constexpr char kLabelGet[] = "GET";    // GET
inline constexpr char kLabelPost[] = "POST";  // POST
inline constexpr char kGroupFileKinds[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x83t\x83@\x83"
    "C\x83\x8B";  // ダウンロードファイル
inline constexpr char kLabelAllFiles[] =
    "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83t\x83@\x83"
    "C\x83\x8B\x82\xF0\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h";  // すべてのファイルをダウンロード
inline constexpr char kLabelSelectKinds[] =
    "\x8Ag\x92\xA3\x8Eq\x82\xF0\x8Ew\x92\xE8\x82\xB5\x82\xC4\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h";                                    // 拡張子を指定してダウンロード
inline constexpr char kGroupKinds[] = "\x8Ag\x92\xA3\x8Eq";           // 拡張子
inline constexpr char kLabelAddKind[] = "\x92\xC7\x89\xC1";           // 追加
inline constexpr char kLabelDeleteKind[] = "\x8D\xED\x8F\x9C";        // 削除
inline constexpr char kLabelCounterA[] = "@a@\x82\xF0\x8Eg\x82\xA4";  // @a@を使う
inline constexpr char kLabelCounterB[] = "@b@\x82\xF0\x8Eg\x82\xA4";  // @b@を使う
inline constexpr char kLabelCounterC[] = "@c@\x82\xF0\x8Eg\x82\xA4";  // @c@を使う
inline constexpr char kLabelCounterD[] = "@d@\x82\xF0\x8Eg\x82\xA4";  // @d@を使う
inline constexpr char kLabelCounterE[] = "@e@\x82\xF0\x8Eg\x82\xA4";  // @e@を使う
inline constexpr char kLabelCounterF[] = "@f@\x82\xF0\x8Eg\x82\xA4";  // @f@を使う
inline constexpr char kLabelRangeTo[] = "\x81`";                      // ～
inline constexpr char kLabelEvery[] = "\x8C\xC2\x82\xA8\x82\xAB";     // 個おき

// Main window: menu.
inline constexpr char kMenuFile[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x81i&F\x81j";                                                     // ファイル（&F）
inline constexpr char kMenuNew[] = "\x90V\x8BK\x8D\xEC\x90\xAC";                 // 新規作成
inline constexpr char kMenuOpen[] = "\x8AJ\x82\xAD";                             // 開く
inline constexpr char kMenuSave[] = "\x8F\xE3\x8F\x91\x82\xAB\x95\xDB\x91\xB6";  // 上書き保存
inline constexpr char kMenuSaveAs[] = "\x95\xCA\x96\xBC\x95\xDB\x91\xB6";        // 別名保存
inline constexpr char kMenuExit[] = "\x8FI\x97\xB9";                             // 終了
inline constexpr char kMenuDownload[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h(&D)";  // ダウンロード(&D)
inline constexpr char kMenuStart[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x8AJ\x8En";  // ダウンロード開始
inline constexpr char kMenuStop[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x92\x86\x8E~";  // ダウンロード中止
inline constexpr char kMenuShowHtml[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xB5\x82\xBDHTML\x82\xF0\x95\\\x8E\xA6";  // ダウンロードしたHTMLを表示
inline constexpr char kMenuHelp[] = "\x83w\x83\x8B\x83v(&H)";                 // ヘルプ(&H)
inline constexpr char kMenuVersion[] = "\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1";  // バージョン情報
inline constexpr char kMenuHelpFile[] = "\x83w\x83\x8B\x83v";                              // ヘルプ

// String table: system-menu item and toolbar tooltips.
inline constexpr char kSysMenuVersion[] =
    "Pagelark \x82\xCC\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1(&A)...";  // Pagelark のﾊﾞｰｼﾞｮﾝ情報(&A)...
inline constexpr char kTipNew[] = "\x90V\x8BK\x8D\xEC\x90\xAC";              // 新規作成
inline constexpr char kTipOpen[] = "\x8AJ\x82\xAD";                          // 開く
inline constexpr char kTipSave[] = "\x90\xDD\x92\xE8\x95\xDB\x91\xB6";  // 設定保存
inline constexpr char kTipExit[] = "\x8FI\x97\xB9";                     // 終了
inline constexpr char kTipStart[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x8AJ\x8En";  // ダウンロード開始
inline constexpr char kTipStop[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x92\x86\x8E~";                              // ダウンロード中止
inline constexpr char kTipShowHtml[] = "HTML\x95\\\x8E\xA6";                 // HTML表示
inline constexpr char kTipHelp[] = "HELP";                                   // HELP
inline constexpr char kTipHomePage[] = "\x83z\x81[\x83\x80\x83y\x81[\x83W";  // ホームページ

// Main window: messages.
inline constexpr char kMsgNoKind[] =
    "\x8Ag\x92\xA3\x8Eq\x82\xAA\x93\xFC\x97\xCD\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";  // 拡張子が入力されていません。
inline constexpr char kMsgKindExists[] =
    "\x82\xB1\x82\xCC\x8Ag\x92\xA3\x8Eq\x82\xCD\x82\xB7\x82\xC5\x82\xC9\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB7\x81"
    "B";  // この拡張子はすでに存在します。
inline constexpr char kMsgKindTooLong[] =
    "63\x83o\x83"
    "C\x83g\x82\xF0\x92\xB4\x82\xA6\x82\xE9\x8Ag\x92\xA3\x8Eq\x82\xCD\x92\xC7\x89\xC1\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
    "\x82\xF1\x81"
    "B";  // 63バイトを超える拡張子は追加できません。
inline constexpr char kMsgNoKindSelected[] =
    "\x8D\xED\x8F\x9C\x82\xB7\x82\xE9\x8Ag\x92\xA3\x8Eq\x82\xAA\x91I\x91\xF0\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC"
    "\x82\xB9\x82\xF1\x81"
    "B";  // 削除する拡張子が選択されていません。
inline constexpr char kMsgAskSaveSuffix[] =
    "\x82\xF0\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81H";                // を保存しますか？
inline constexpr char kLabelCancelButton[] = "\x83L\x83\x83\x83\x93\x83Z\x83\x8B";  // キャンセル
// The second button of a run's end message, and what opening fails with.
inline constexpr char kLabelOpenFolderButton[] = "\x83t\x83H\x83\x8B\x83_\x82\xF0\x8AJ\x82\xAD";  // フォルダを開く
inline constexpr char kMsgNoMirrorFolder[] =
    "\x83t\x83H\x83\x8B\x83_\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B \x83p\x83X=";  // フォルダがありません。 パス=
inline constexpr char kMsgNoFolderViewer[] =
    "\x83t\x83H\x83\x8B\x83_"
    "\x82\xF0\x8AJ\x82\xAD\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B \x83p\x83X=";  // フォルダを開くプログラムがありません。 パス=
// The progress text beside the bar under the status line.
inline constexpr char kLabelElapsed[] = "\x8Co\x89\xDF";  // 経過
inline constexpr char kLabelPerSecond[] =
    "\x8C\x8F/\x95"
    "b";  // 件/秒
// Behind a unit of bytes ("B", "KB", "MB") in the transfer rate.
inline constexpr char kLabelPerSecondSuffix[] =
    "/\x95"
    "b";  // /秒
// The buttons of the question at close, beside kLabelCancelButton.
inline constexpr char kLabelSaveButton[] = "\x95\xDB\x91\xB6\x82\xB7\x82\xE9";             // 保存する
inline constexpr char kLabelDiscardButton[] = "\x95\xDB\x91\xB6\x82\xB5\x82\xC8\x82\xA2";  // 保存しない

// Profile commands.
inline constexpr char kProfileFilter[] =
    "\x90\xDD\x92\xE8\x83t\x83@\x83"
    "C\x83\x8B *.ini|*.ini;||";                                              // 設定ファイル *.ini|*.ini;||
inline constexpr char kNewProfileName[] = "\x90V\x8BK\x8D\xEC\x90\xAC.ini";  // 新規作成.ini
inline constexpr char kReservedProfileName[] = "set.ini";                    // set.ini
inline constexpr char kMsgReservedSuffix[] =
    "\x82\xCD\x90\xDD\x92\xE8\x83t\x83@\x83"
    "C\x83\x8B\x82\xC6\x82\xB5\x82\xC4\x8Eg\x97p\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";  // は設定ファイルとして使用できません
inline constexpr char kMsgSavedSuffix[] = "\x82\xF0\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD";  // を保存しました
// A recent profile whose file is gone; the path follows.
inline constexpr char kMsgNoProfileFile[] =
    "\x90\xDD\x92\xE8\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B \x83p\x83X=";  // 設定ファイルがありません。 パス=
inline constexpr char kMsgCreateFileSuffix[] =
    "\x82\xCD\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81"
    "B\n\x8D\xEC\x90\xAC\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81H";  // は存在しません。\n作成しますか？

// Help, version and view commands.
inline constexpr char kMsgNoHelpFile[] =
    "HELP\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B \x83p\x83X=";  // HELPファイルがありません。 パス=
inline constexpr char kMsgNoFolder[] =
    "\x83p\x83X\x82\xAA\x8Ew\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1";  // パスが指定されていません
inline constexpr char kMsgNoHtmlFile[] =
    "HTML\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B \x83p\x83X=";  // HTMLファイルがありません。 パス=
// The file is there but no program opens it; a web address the desktop
// cannot open.
inline constexpr char kMsgNoHelpViewer[] =
    "HELP\x83t\x83@\x83"
    "C\x83\x8B\x82\xF0\x8AJ\x82\xAD\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"
    "\x81"
    "B \x83p\x83X=";  // HELPファイルを開くプログラムがありません。 パス=
inline constexpr char kMsgNoHtmlViewer[] =
    "HTML\x83t\x83@\x83"
    "C\x83\x8B\x82\xF0\x8AJ\x82\xAD\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"
    "\x81"
    "B \x83p\x83X=";  // HTMLファイルを開くプログラムがありません。 パス=
inline constexpr char kMsgNoBrowser[] =
    "\x83z\x81[\x83\x80\x83y\x81["
    "\x83W\x82\xF0\x8AJ\x82\xAD\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B \x83"
    "A\x83h\x83\x8C\x83X=";  // ホームページを開くプログラムがありません。 アドレス=
inline constexpr char kAboutCaption[] =
    "Pagelark\x82\xCC\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1";  // Pagelarkのﾊﾞｰｼﾞｮﾝ情報
inline constexpr char kAboutProduct[] = "Pagelark From CGI Ver1.3";  // Pagelark From CGI Ver1.3
inline constexpr char kAboutLine2[] =
    "Web\x83y\x81[\x83W\x88\xEA\x8A\x87\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x83"
    "c\x81[\x83\x8B";                     // Webページ一括ダウンロードツール
inline constexpr char kAboutOk[] = "OK";  // OK
inline constexpr char kHomePageAddress[] = "http://www.pagelark.example/";  // http://www.pagelark.example/

// Filter dialog.
inline constexpr char kFilterCaption[] =
    "\x83t\x83"
    "B\x83\x8B\x83^\x81[\x90\xDD\x92\xE8";  // フィルター設定
inline constexpr char kLabelUseEnableList[] =
    "\x97L\x8C\xF8\x83\x8A\x83X\x83g\x82\xF0\x8Eg\x82\xA4";  // 有効リストを使う
inline constexpr char kLabelUseDisableList[] =
    "\x96\xB3\x8C\xF8\x83\x8A\x83X\x83g\x82\xF0\x8Eg\x82\xA4";  // 無効リストを使う
inline constexpr char kFilterExplanation[] =
    "\x83_\x83"
    "E\x83\x93\x83\x8D\x81[\x83h\x82\xB7\x82\xE9URL\x82\xCC\x97L\x8C\xF8/"
    "\x96\xB3\x8C\xF8\x82\xF0\x90\xDD\x92\xE8\x82\xC5\x82\xAB\x82\xDC\x82\xB7";  // ダウンロードするURLの有効/無効を設定できます
inline constexpr char kLabelAddEnable[] =
    "\x97L\x8C\xF8\x83\x8A\x83X\x83g\x82\xC9\x92\xC7\x89\xC1";  // 有効リストに追加
inline constexpr char kLabelAddDisable[] =
    "\x96\xB3\x8C\xF8\x83\x8A\x83X\x83g\x82\xC9\x92\xC7\x89\xC1";  // 無効リストに追加
inline constexpr char kLabelDeleteRows[] =
    "\x83"
    "f\x81[\x83^\x82\xF0\x8D\xED\x8F\x9C";                                                     // データを削除
inline constexpr char kColumnEnable[] = "\x97L\x8C\xF8\x83\x8A\x83X\x83g";                     // 有効リスト
inline constexpr char kColumnDisable[] = "\x96\xB3\x8C\xF8\x83\x8A\x83X\x83g";                 // 無効リスト
inline constexpr char kLabelSaveAndClose[] = "\x95\xDB\x91\xB6\x82\xB5\x82\xC4\x8FI\x97\xB9";  // 保存して終了
inline constexpr char kLabelCancel[] = "\xB7\xAC\xDD\xBE\xD9";                                 // ｷｬﾝｾﾙ
inline constexpr char kMsgNoRowSelected[] =
    "\x83\x8A\x83X\x83g\x82\xAA\x91I\x91\xF0\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";  // リストが選択されていません。
// A command ended by an unexpected failure (no memory left, say); the window
// goes on.
inline constexpr char kMsgCommandFailed[] =
    "\x83G\x83\x89\x81[\x82\xCC\x82\xBD\x82\xDF\x81"
    "A\x82\xB1\x82\xCC\x91\x80\x8D\xEC\x82\xF0\x92\x86\x92"
    "f\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B";  // エラーのため、この操作を中断しました。

}  // namespace pagelark::ui
