// The IDs of the window's controls, menu items and toolbar buttons. The window
// logic and its views address every control by these numbers.
#pragma once

#include "settings/ProfileKeys.h"

namespace pagelark::ui::id {

// Main window fields and buttons.
inline constexpr int kMaxFiles = 1000;
inline constexpr int kMaxDuplicateLinks = 1002;
inline constexpr int kStartUrl = 1003;
inline constexpr int kDownloadFolder = 1004;
inline constexpr int kBrowse = 1005;
inline constexpr int kProgressList = 1006;
inline constexpr int kStatusLine = 1012;
inline constexpr int kBelowStartUrl = 1100;
inline constexpr int kAllFiles = 1101;
inline constexpr int kSelectKinds = 1102;
inline constexpr int kKindList = 1103;
inline constexpr int kKindEdit = 1104;
inline constexpr int kAddKind = 1105;
inline constexpr int kDeleteKind = 1106;
inline constexpr int kGet = 1131;
inline constexpr int kPost = 1132;
inline constexpr int kOneFolder = 1133;
inline constexpr int kSameServer = 1134;
inline constexpr int kUseFilter = 1135;
inline constexpr int kFilterDetail = 1136;
inline constexpr int kWriteLog = 1137;
inline constexpr int kRequisites = 1300;   // beside the type group: fetch page requisites
inline constexpr int kConnections = 1301;  // beside the switches: connections fetched on at once

// Counter rows: row i (0..5 for @a@..@f@) has its box at kCounterBox + i and
// its From, To and Step edits at kCounterFrom + 4i, + 1, + 2.
inline constexpr int kCounterBox = 1200;
inline constexpr int kCounterFrom = 1108;
inline constexpr int kCounterRows = 6;
constexpr int CounterBox(int row) { return kCounterBox + row; }
constexpr int CounterFrom(int row) { return kCounterFrom + 4 * row; }
constexpr int CounterTo(int row) { return CounterFrom(row) + 1; }
constexpr int CounterStep(int row) { return CounterFrom(row) + 2; }

// Labels and group boxes have no ID of their own.
inline constexpr int kNoId = -1;

// Menu commands.
inline constexpr int kMenuNew = 40005;
inline constexpr int kMenuOpen = 40006;
inline constexpr int kMenuSave = 32775;
inline constexpr int kMenuSaveAs = 40007;
inline constexpr int kMenuExit = 32778;
inline constexpr int kMenuStart = 32772;
inline constexpr int kMenuStop = 40001;
inline constexpr int kMenuShowHtml = 32782;
inline constexpr int kMenuVersion = 32779;
inline constexpr int kMenuHelp = 32780;

// The File menu's recent profiles: item i (0 the most recent) is
// kMenuRecentProfile + i.
inline constexpr int kMenuRecentProfile = 40020;
inline constexpr int kRecentProfileItems = keys::kMaxRecentProfiles;  // as many as set.ini keeps
constexpr int MenuRecentProfile(int index) { return kMenuRecentProfile + index; }
constexpr bool IsRecentProfileItem(int commandId) {
  return commandId >= kMenuRecentProfile && commandId < kMenuRecentProfile + kRecentProfileItems;
}

// Toolbar buttons.
inline constexpr int kToolNew = 40010;
inline constexpr int kToolOpen = 40011;
inline constexpr int kToolSave = 32771;
inline constexpr int kToolExit = 32773;
inline constexpr int kToolStart = 32774;
inline constexpr int kToolStop = 40000;
inline constexpr int kToolShowHtml = 32777;
inline constexpr int kToolHelp = 32781;
inline constexpr int kToolHomePage = 40012;

// System menu item and the string that names it.
inline constexpr int kSysVersion = 16;
inline constexpr int kStringSysVersion = 101;

// Dialog results and the standard buttons.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// About box: the home-page button.
inline constexpr int kAboutHomePage = 1015;

// Filter dialog.
inline constexpr int kEnableList = 1007;
inline constexpr int kDisableList = 1008;
inline constexpr int kDisableEdit = 1138;
inline constexpr int kAddDisable = 1139;
inline constexpr int kEnableEdit = 1140;
inline constexpr int kAddEnable = 1141;
inline constexpr int kDeleteEnable = 1144;
inline constexpr int kDeleteDisable = 1145;
inline constexpr int kUseEnableList = 1146;
inline constexpr int kUseDisableList = 1147;

}  // namespace pagelark::ui::id
