// The window's tables and texts: controls, menu, toolbar tooltips, messages
// byte for byte, dialog units, and the file-dialog helpers.
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "messages/WindowTexts.h"
#include "platform/cp932.h"
#include "ui/ControlIds.h"
#include "ui/DialogUnits.h"
#include "ui/StringTable.h"
#include "ui/WebTool.h"

namespace pagelark::ui {
namespace {

std::string Sjis(const char* utf8) { return cp932::FromUtf8(utf8); }

TEST(MainLayout, EveryControlOnceWithItsKindCaptionAndPlace) {
  const DialogSpec& main = MainWindowSpec();
  EXPECT_EQ(std::string(main.caption), "Pagelark From CGI");
  EXPECT_EQ(main.width, 438);
  EXPECT_EQ(main.height, 407);
  std::set<int> ids;
  for (const ControlSpec& c : main.controls) {
    if (c.id != id::kNoId) {
      EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    }
  }
  std::set<int> expected = {
      1000, 1002, 1003, 1004, 1005, 1006, 1012, 1100, 1101, 1102, 1103,
      1104, 1105, 1106, 1131, 1132, 1133, 1134, 1135, 1136, 1137, 1300,  // the requisites box, beside the type group
      1301};                                                             // the connections field, beside the switches
  for (int row = 0; row < 6; ++row) {
    for (int c : {1200 + row, 1108 + 4 * row, 1109 + 4 * row, 1110 + 4 * row}) expected.insert(c);
  }
  EXPECT_EQ(ids, expected);

  struct Row {
    int id;
    ControlKind kind;
    const char* caption;
    DluRect rect;
  };
  for (const Row& r : {
           Row{1005, ControlKind::kPushButton, "参照", {411, 54, 22, 14}},
           Row{1100, ControlKind::kCheckBox, "指定したURL以下にないURLはダウンロードしない", {17, 104, 153, 10}},
           Row{1136, ControlKind::kPushButton, "フィルター詳細", {94, 138, 50, 14}},
           Row{1300, ControlKind::kCheckBox, "表示に必要なファイルも取得する", {110, 164, 145, 10}},
           Row{1301, ControlKind::kEdit, nullptr, {218, 114, 33, 13}},
           Row{1102, ControlKind::kRadioButton, "拡張子を指定してダウンロード", {270, 99, 107, 10}},
           Row{1205, ControlKind::kCheckBox, "@f@を使う", {224, 240, 45, 10}},
           Row{1129, ControlKind::kEdit, nullptr, {329, 236, 41, 14}},
           Row{1118, ControlKind::kEdit, nullptr, {166, 218, 17, 14}},
           Row{1006, ControlKind::kListBox, nullptr, {7, 267, 424, 102}},
           Row{1012, ControlKind::kStatic, nullptr, {8, 377, 423, 20}},
       }) {
    const ControlSpec* c = FindControl(main, r.id);
    ASSERT_NE(c, nullptr) << r.id;
    EXPECT_EQ(c->kind, r.kind) << r.id;
    EXPECT_EQ(c->caption == nullptr ? std::string() : std::string(c->caption),
              r.caption == nullptr ? std::string() : Sjis(r.caption))
        << r.id;
    EXPECT_EQ(c->rect.x, r.rect.x) << r.id;
    EXPECT_EQ(c->rect.y, r.rect.y) << r.id;
    EXPECT_EQ(c->rect.width, r.rect.width) << r.id;
    EXPECT_EQ(c->rect.height, r.rect.height) << r.id;
  }
  EXPECT_NE(FindControl(main, 1101)->style & kStyleGroupStart, 0u);
  EXPECT_NE(FindControl(main, 1006)->style & kStyleScrollBars, 0u);
}

TEST(MainLayout, MenuWithMnemonicsAndSeparators) {
  const auto menus = MainMenu();
  ASSERT_EQ(menus.size(), 3u);
  EXPECT_EQ(std::string(menus[0].title), Sjis("ファイル（&F）"));
  EXPECT_EQ(std::string(menus[1].title), Sjis("ダウンロード(&D)"));
  EXPECT_EQ(std::string(menus[2].title), Sjis("ヘルプ(&H)"));
  std::string file;
  for (const MenuItemSpec& item : menus[0].items) file += item.command == 0 ? "-," : std::to_string(item.command) + ",";
  EXPECT_EQ(file, "40005,40006,-,32775,40007,-,32778,");
  EXPECT_EQ(std::string(menus[0].items[3].text), Sjis("上書き保存"));
  EXPECT_EQ(std::string(menus[1].items[3].text), Sjis("ダウンロードしたHTMLを表示"));
}

// Alt with a letter opens a menu or focuses a labelled field; no letter may
// serve two of them, and no caption may bring a letter of its own.
TEST(MainLayout, MnemonicsReachTheMenusAndTheLabelledFieldsWithoutCollisions) {
  std::set<char> letters;
  for (const MenuSpec& menu : MainMenu()) {
    const char letter = MnemonicLetter(menu.title);
    EXPECT_NE(letter, 0) << menu.title;
    EXPECT_TRUE(letters.insert(letter).second) << letter;
  }
  std::set<int> fields;
  for (const FieldMnemonic& m : MainWindowMnemonics()) {
    EXPECT_TRUE(m.letter >= 'A' && m.letter <= 'Z') << m.field;
    EXPECT_TRUE(letters.insert(m.letter).second) << m.letter;
    const ControlSpec* field = FindControl(MainWindowSpec(), m.field);
    ASSERT_NE(field, nullptr) << m.field;
    EXPECT_EQ(field->kind, ControlKind::kEdit) << m.field;
    fields.insert(m.field);
  }
  EXPECT_EQ(fields, (std::set<int>{id::kStartUrl, id::kDownloadFolder, id::kMaxFiles, id::kMaxDuplicateLinks,
                                   id::kConnections}));
  for (const ControlSpec& c : MainWindowSpec().controls) EXPECT_EQ(MnemonicLetter(c.caption), 0) << c.id;
  EXPECT_EQ(MnemonicTip('U'), "Alt+U");
}

TEST(StringTable, ToolbarTooltipsAndTheVersionItem) {
  EXPECT_EQ(LoadString(32771), Sjis("設定保存"));
  EXPECT_EQ(LoadString(32777), Sjis("HTML表示"));
  EXPECT_EQ(LoadString(32781), "HELP");
  EXPECT_EQ(LoadString(40012), Sjis("ホームページ"));
  EXPECT_EQ(LoadString(101), Sjis("Pagelark のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
  // Menu items and controls have no string: no tooltip.
  EXPECT_EQ(LoadString(32775), "");
  EXPECT_EQ(LoadString(1003), "");
}

TEST(Messages, ByteForByte) {
  struct Row {
    const char* text;
    const char* utf8;
  };
  for (const Row& r : {
           Row{kMsgNoKind, "拡張子が入力されていません。"},
           Row{kMsgKindExists, "この拡張子はすでに存在します。"},
           Row{kMsgNoKindSelected, "削除する拡張子が選択されていません。"},
           Row{kMsgAskSaveSuffix, "を保存しますか？"},
           Row{kMsgReservedSuffix, "は設定ファイルとして使用できません"},
           Row{kMsgSavedSuffix, "を保存しました"},
           Row{kProfileFilter, "設定ファイル *.ini|*.ini;||"},
           Row{kMsgNoHelpFile, "HELPファイルがありません。 パス="},
           Row{kMsgNoFolder, "パスが指定されていません"},
           Row{kMsgNoHtmlFile, "HTMLファイルがありません。 パス="},
           Row{kMsgNoRowSelected, "リストが選択されていません。"},
           Row{kLabelCancel, "ｷｬﾝｾﾙ"},
           Row{kAboutCaption, "Pagelarkのﾊﾞｰｼﾞｮﾝ情報"},
           Row{kLabelRangeTo, "～"},
           Row{kFilterExplanation, "ダウンロードするURLの有効/無効を設定できます"},
       }) {
    EXPECT_EQ(std::string(r.text), Sjis(r.utf8)) << r.utf8;
  }
}

TEST(DialogUnits, ConvertWithTheFontsBaseUnits) {
  const BaseUnits msPGothic{6, 12};
  EXPECT_EQ(ToPixels({56, 35, 354, 14}, msPGothic), (PixelRect{84, 53, 531, 21}));
  EXPECT_EQ(DluToPixelsX(438, msPGothic), 657);
  EXPECT_EQ(DluToPixelsY(407, msPGothic), 611);
  EXPECT_EQ(AverageCharWidth(6 * 52), 6);
  EXPECT_EQ(AverageCharWidth(7 * 52 - 10), 7);
}

TEST(FileDialogHelpers, FilterAndDefaultExtension) {
  const auto types = ParseFileFilter(kProfileFilter);
  ASSERT_EQ(types.size(), 1u);
  EXPECT_EQ(types[0].label, Sjis("設定ファイル *.ini"));
  EXPECT_EQ(types[0].patterns, (std::vector<std::string>{"*.ini"}));
  EXPECT_EQ(ParseFileFilter("A|*.a;*.b|B|*.c||").size(), 2u);
  EXPECT_EQ(WithProfileExtension("\\w\\abc"), "\\w\\abc.ini");
  EXPECT_EQ(WithProfileExtension("\\w\\abc.ini"), "\\w\\abc.ini");
  EXPECT_EQ(WithProfileExtension("\\w.d\\abc"), "\\w.d\\abc.ini");
  EXPECT_EQ(WithProfileExtension("\\w\\abc.txt"), "\\w\\abc.txt");
  EXPECT_EQ(WithProfileExtension(""), "");
}

}  // namespace
}  // namespace pagelark::ui
