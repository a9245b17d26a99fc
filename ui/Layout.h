// The window's resources as data: every dialog's controls at their positions
// in dialog units, the menu and the toolbar. The views build their widgets
// from these tables; the window logic never looks at positions.
#pragma once

#include <span>
#include <string>

namespace pagelark::ui {

enum class ControlKind {
  kEdit,
  kPushButton,
  kCheckBox,
  kRadioButton,
  kGroupBox,
  kStatic,
  kIcon,
  kListBox,
  kListView,
};

// Style bits of a control, beyond its kind.
enum ControlStyle : unsigned {
  kStyleNone = 0,
  kStyleAutoHScroll = 1u << 0,    // edit scrolls its text horizontally
  kStyleGroupStart = 1u << 1,     // radio button that starts a group of its own
  kStyleBitmap = 1u << 2,         // push button that shows a picture
  kStyleScrollBars = 1u << 3,     // list box with vertical and horizontal scroll bars
  kStyleDefaultButton = 1u << 4,  // the dialog's default push button
  kStyleFlat = 1u << 5,           // flat push button, transparent background
  kStyleNoPrefix = 1u << 6,       // static text shown without mnemonic prefix
};

// x, y, width, height in dialog units. A width of 0 sizes a label to its text.
struct DluRect {
  int x;
  int y;
  int width;
  int height;
};

struct ControlSpec {
  int id;  // id::kNoId for labels and group boxes
  ControlKind kind;
  const char* caption;  // CP932; nullptr when the control has none
  DluRect rect;
  unsigned style;
};

struct DialogSpec {
  const char* caption;
  int width;  // client size in dialog units
  int height;
  std::span<const ControlSpec> controls;
};

const DialogSpec& MainWindowSpec();
const DialogSpec& FilterDialogSpec();
const DialogSpec& AboutDialogSpec();

// A menu item; an item with command 0 is a separator.
struct MenuItemSpec {
  int command;
  const char* text;
};

struct MenuSpec {
  const char* title;
  std::span<const MenuItemSpec> items;
};

std::span<const MenuSpec> MainMenu();

// Toolbar buttons left to right; 0 is a separator.
std::span<const int> ToolbarButtons();

// The keyboard shortcut of a menu command, in Qt's portable notation
// ("Ctrl+N"); nullptr when it has none.
const char* MenuShortcut(int command);

// The menu item above which the File menu lists the recent profiles, behind
// a separator of their own.
int RecentProfilesAbove();

// A field that Alt and a letter give the focus to, as if its label had the
// letter as its mnemonic. The labels' captions stay as they are (no "&"):
// the field's tooltip tells the keys instead (MnemonicTip).
struct FieldMnemonic {
  int field;
  char letter;  // an upper-case ASCII letter
};

std::span<const FieldMnemonic> MainWindowMnemonics();

// The upper-cased letter after the "&" of a menu title or caption ("&&" is
// a plain "&"); 0 when it has none.
char MnemonicLetter(const char* text);

// The keys of a mnemonic as a tooltip shows them: "Alt+U".
std::string MnemonicTip(char letter);

// The control with this ID in the dialog, or nullptr.
const ControlSpec* FindControl(const DialogSpec& dialog, int id);

}  // namespace pagelark::ui
