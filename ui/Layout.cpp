#include "ui/Layout.h"

#include <array>
#include <cctype>
#include <string>
#include <utility>

#include "messages/WindowTexts.h"
#include "ui/ControlIds.h"

namespace pagelark::ui {
namespace {

constexpr ControlKind kEdit = ControlKind::kEdit;
constexpr ControlKind kButton = ControlKind::kPushButton;
constexpr ControlKind kCheck = ControlKind::kCheckBox;
constexpr ControlKind kRadio = ControlKind::kRadioButton;
constexpr ControlKind kGroup = ControlKind::kGroupBox;
constexpr ControlKind kStatic = ControlKind::kStatic;
constexpr int kNone = id::kNoId;

// One counter row: box, From, "～", To, Step, "個おき" at their (x, y).
struct CounterRowPlaces {
  int boxX, boxY, fromX, fromY, tildeX, tildeY, toX, toY, stepX, stepY, everyX, everyY;
};

constexpr std::array<CounterRowPlaces, id::kCounterRows> kCounterPlaces = {{
    {13, 203, 62, 200, 107, 203, 118, 200, 166, 200, 185, 202},
    {224, 203, 273, 199, 318, 203, 329, 199, 377, 199, 396, 201},
    {13, 222, 62, 218, 107, 222, 118, 218, 166, 218, 185, 220},
    {224, 222, 273, 218, 318, 222, 329, 218, 377, 218, 396, 220},
    {13, 240, 62, 237, 107, 240, 118, 237, 166, 237, 185, 239},
    {224, 240, 273, 236, 318, 240, 329, 236, 377, 236, 396, 238},
}};

constexpr std::array<const char*, id::kCounterRows> kCounterLabels = {
    kLabelCounterA, kLabelCounterB, kLabelCounterC, kLabelCounterD, kLabelCounterE, kLabelCounterF,
};

constexpr std::array<ControlSpec, 6> CounterRow(int row) {
  const CounterRowPlaces& p = kCounterPlaces[row];
  const int boxWidth = row == 5 ? 45 : 46;
  return {{
      {id::CounterBox(row), kCheck, kCounterLabels[row], {p.boxX, p.boxY, boxWidth, 10}, kStyleNone},
      {id::CounterFrom(row), kEdit, nullptr, {p.fromX, p.fromY, 41, 14}, kStyleAutoHScroll},
      {kNone, kStatic, kLabelRangeTo, {p.tildeX, p.tildeY, 8, 8}, kStyleNone},
      {id::CounterTo(row), kEdit, nullptr, {p.toX, p.toY, 41, 14}, kStyleAutoHScroll},
      {id::CounterStep(row), kEdit, nullptr, {p.stepX, p.stepY, 17, 14}, kStyleAutoHScroll},
      {kNone, kStatic, kLabelEvery, {p.everyX, p.everyY, 20, 8}, kStyleNone},
  }};
}

// Each group's controls in reading order (Tab follows the table): top to
// bottom, left to right within a row.
constexpr std::array<ControlSpec, 30> kMainTop = {{
    // Group boxes first, so that they lie beneath the controls they frame.
    {kNone, kGroup, kGroupOptions, {7, 71, 252, 112}, kStyleNone},
    {kNone, kGroup, kGroupType, {15, 154, 86, 23}, kStyleNone},
    {kNone, kGroup, kGroupFileKinds, {263, 72, 143, 112}, kStyleNone},
    {kNone, kGroup, kGroupKinds, {268, 113, 132, 64}, kStyleNone},
    {kNone, kStatic, kLabelUrl, {9, 38, 0, 8}, kStyleNone},
    {id::kStartUrl, kEdit, nullptr, {56, 35, 354, 14}, kStyleAutoHScroll},
    {kNone, kStatic, kLabelDownloadFolder, {9, 56, 0, 8}, kStyleNone},
    {id::kDownloadFolder, kEdit, nullptr, {56, 53, 354, 14}, kStyleAutoHScroll},
    {id::kBrowse, kButton, kLabelBrowse, {411, 54, 22, 14}, kStyleBitmap},
    {kNone, kStatic, kLabelMaxFiles, {16, 86, 0, 8}, kStyleNone},
    {id::kMaxFiles, kEdit, nullptr, {78, 83, 33, 13}, kStyleAutoHScroll},
    {kNone, kStatic, kLabelMaxDuplicateLinks, {125, 87, 0, 8}, kStyleNone},
    {id::kMaxDuplicateLinks, kEdit, nullptr, {218, 83, 33, 13}, kStyleAutoHScroll},
    {id::kBelowStartUrl, kCheck, kLabelBelowStartUrl, {17, 104, 153, 10}, kStyleNone},
    {id::kSameServer, kCheck, kLabelSameServer, {17, 115, 153, 10}, kStyleNone},
    {kNone, kStatic, kLabelConnections, {176, 117, 0, 8}, kStyleNone},
    {id::kConnections, kEdit, nullptr, {218, 114, 33, 13}, kStyleAutoHScroll},
    {id::kOneFolder, kCheck, kLabelOneFolder, {17, 127, 153, 10}, kStyleNone},
    {id::kUseFilter, kCheck, kLabelUseFilter, {17, 139, 77, 10}, kStyleNone},
    {id::kFilterDetail, kButton, kLabelFilterDetail, {94, 138, 50, 14}, kStyleNone},
    {id::kWriteLog, kCheck, kLabelWriteLog, {157, 139, 60, 10}, kStyleNone},
    {id::kGet, kRadio, kLabelGet, {20, 164, 29, 10}, kStyleNone},
    {id::kPost, kRadio, kLabelPost, {51, 164, 33, 10}, kStyleNone},
    {id::kRequisites, kCheck, kLabelRequisites, {110, 164, 145, 10}, kStyleNone},
    {id::kAllFiles, kRadio, kLabelAllFiles, {270, 85, 107, 10}, kStyleGroupStart},
    {id::kSelectKinds, kRadio, kLabelSelectKinds, {270, 99, 107, 10}, kStyleGroupStart},
    {id::kKindList, ControlKind::kListBox, nullptr, {274, 122, 33, 46}, kStyleNone},
    {id::kKindEdit, kEdit, nullptr, {317, 130, 27, 12}, kStyleAutoHScroll},
    {id::kAddKind, kButton, kLabelAddKind, {344, 129, 50, 14}, kStyleNone},
    {id::kDeleteKind, kButton, kLabelDeleteKind, {345, 148, 50, 14}, kStyleNone},
}};

// Below the counter rows, so that Tab reaches them after the rows.
constexpr std::array<ControlSpec, 2> kMainBottom = {{
    {id::kProgressList, ControlKind::kListBox, nullptr, {7, 267, 424, 102}, kStyleScrollBars},
    {id::kStatusLine, kStatic, nullptr, {8, 377, 423, 20}, kStyleNone},
}};

constexpr std::size_t kMainCount = kMainTop.size() + 6 * id::kCounterRows + kMainBottom.size();

constexpr std::array<ControlSpec, kMainCount> BuildMainControls() {
  std::array<ControlSpec, kMainCount> all{};
  std::size_t n = 0;
  for (const ControlSpec& c : kMainTop) all[n++] = c;
  for (int row = 0; row < id::kCounterRows; ++row) {
    for (const ControlSpec& c : CounterRow(row)) all[n++] = c;
  }
  for (const ControlSpec& c : kMainBottom) all[n++] = c;
  return all;
}

constexpr std::array<ControlSpec, kMainCount> kMainControls = BuildMainControls();

constexpr std::array<ControlSpec, 13> kFilterControls = {{
    {id::kUseEnableList, kCheck, kLabelUseEnableList, {7, 10, 63, 10}, kStyleNone},
    {id::kUseDisableList, kCheck, kLabelUseDisableList, {68, 10, 63, 10}, kStyleNone},
    {kNone, kStatic, kFilterExplanation, {150, 12, 154, 8}, kStyleNone},
    {id::kEnableEdit, kEdit, nullptr, {7, 30, 271, 14}, kStyleAutoHScroll},
    {id::kAddEnable, kButton, kLabelAddEnable, {278, 30, 55, 14}, kStyleNone},
    {id::kDeleteEnable, kButton, kLabelDeleteRows, {334, 30, 47, 14}, kStyleNone},
    {id::kEnableList, ControlKind::kListView, kColumnEnable, {7, 46, 376, 90}, kStyleNone},
    {id::kDisableEdit, kEdit, nullptr, {7, 149, 271, 14}, kStyleAutoHScroll},
    {id::kAddDisable, kButton, kLabelAddDisable, {279, 149, 55, 14}, kStyleNone},
    {id::kDeleteDisable, kButton, kLabelDeleteRows, {334, 149, 47, 14}, kStyleNone},
    {id::kDisableList, ControlKind::kListView, kColumnDisable, {7, 166, 376, 90}, kStyleNone},
    {id::kOk, kButton, kLabelSaveAndClose, {280, 261, 50, 14}, kStyleDefaultButton},
    {id::kCancel, kButton, kLabelCancel, {333, 261, 50, 14}, kStyleNone},
}};

constexpr std::array<ControlSpec, 5> kAboutControls = {{
    {kNone, ControlKind::kIcon, nullptr, {11, 17, 0, 0}, kStyleNone},
    {kNone, kStatic, kAboutProduct, {40, 10, 134, 8}, kStyleNoPrefix},
    {kNone, kStatic, kAboutLine2, {40, 25, 119, 8}, kStyleNone},
    {id::kOk, kButton, kAboutOk, {178, 7, 50, 14}, kStyleDefaultButton},
    {id::kAboutHomePage, kButton, kHomePageAddress, {59, 37, 169, 14}, kStyleFlat},
}};

constexpr std::array<MenuItemSpec, 7> kFileItems = {{
    {id::kMenuNew, kMenuNew},
    {id::kMenuOpen, kMenuOpen},
    {0, nullptr},
    {id::kMenuSave, kMenuSave},
    {id::kMenuSaveAs, kMenuSaveAs},
    {0, nullptr},
    {id::kMenuExit, kMenuExit},
}};

constexpr std::array<MenuItemSpec, 4> kDownloadItems = {{
    {id::kMenuStart, kMenuStart},
    {id::kMenuStop, kMenuStop},
    {0, nullptr},
    {id::kMenuShowHtml, kMenuShowHtml},
}};

constexpr std::array<MenuItemSpec, 2> kHelpItems = {{
    {id::kMenuVersion, kMenuVersion},
    {id::kMenuHelp, kMenuHelpFile},
}};

constexpr std::array<MenuSpec, 3> kMenus = {{
    {kMenuFile, kFileItems},
    {kMenuDownload, kDownloadItems},
    {kMenuHelp, kHelpItems},
}};

constexpr std::array<int, 11> kToolbar = {
    id::kToolNew,
    id::kToolOpen,
    id::kToolSave,
    id::kToolExit,
    0,
    id::kToolStart,
    id::kToolStop,
    id::kToolShowHtml,
    0,
    id::kToolHelp,
    id::kToolHomePage,
};

}  // namespace

const DialogSpec& MainWindowSpec() {
  static const DialogSpec spec{kMainCaption, 438, 407, kMainControls};
  return spec;
}

const DialogSpec& FilterDialogSpec() {
  static const DialogSpec spec{kFilterCaption, 390, 281, kFilterControls};
  return spec;
}

const DialogSpec& AboutDialogSpec() {
  static const DialogSpec spec{kAboutCaption, 235, 55, kAboutControls};
  return spec;
}

std::span<const MenuSpec> MainMenu() { return kMenus; }

std::span<const int> ToolbarButtons() { return kToolbar; }

const char* MenuShortcut(int command) {
  static constexpr std::pair<int, const char*> kShortcuts[] = {
      {id::kMenuNew, "Ctrl+N"},          {id::kMenuOpen, "Ctrl+O"}, {id::kMenuSave, "Ctrl+S"},
      {id::kMenuSaveAs, "Ctrl+Shift+S"}, {id::kMenuStart, "F5"},    {id::kMenuHelp, "F1"},
  };
  for (const auto& [id, keys] : kShortcuts) {
    if (id == command) return keys;
  }
  return nullptr;
}

int RecentProfilesAbove() { return id::kMenuExit; }

// The letters differ from each other and from the menus' F, D and H.
std::span<const FieldMnemonic> MainWindowMnemonics() {
  static constexpr FieldMnemonic kMnemonics[] = {
      {id::kStartUrl, 'U'},           // "URL"
      {id::kDownloadFolder, 'P'},     // "DownLoadパス"
      {id::kMaxFiles, 'M'},           // "最大検索ファイル数"
      {id::kMaxDuplicateLinks, 'L'},  // "最大検索重複リンクファイル数"
      {id::kConnections, 'C'},        // "同時接続数"
  };
  return kMnemonics;
}

char MnemonicLetter(const char* text) {
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
    if (*p != '&') continue;
    if (*++p != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  }
  return 0;
}

std::string MnemonicTip(char letter) { return std::string("Alt+") + letter; }

const ControlSpec* FindControl(const DialogSpec& dialog, int controlId) {
  if (controlId == id::kNoId) return nullptr;
  for (const ControlSpec& c : dialog.controls) {
    if (c.id == controlId) return &c;
  }
  return nullptr;
}

}  // namespace pagelark::ui
