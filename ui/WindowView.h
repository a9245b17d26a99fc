// What the main window's logic needs of a user-interface toolkit. Controls are
// addressed by their IDs (ui/ControlIds.h); texts are CP932 byte strings and
// paths are in system form. Everything runs on the one user-interface thread.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace pagelark::ui {

class CFilterDlg;
class CAboutDlg;

// kSaveDiscardCancel: "save", "don't save" and "cancel"; they answer kOk,
// kDiscard and kCancel. kOkOpenFolder: OK and "open the folder" (kOpen).
enum class MessageButtons { kOk, kOkCancel, kSaveDiscardCancel, kOkOpenFolder };
enum class MessageResult { kOk, kCancel, kDiscard, kOpen };

// What became of the desktop's "open" action on a local path.
enum class OpenResult { kOpened, kMissing, kNoProgram };

// Modes of the settings-file dialog.
enum class FileDialogMode { kNew = 0, kOpen = 1 };

// The window's side of its events: the view forwards every command and close
// request here while the window runs modally.
class WindowCommands {
 public:
  virtual ~WindowCommands() = default;
  // A menu item, toolbar button or button click, by its command or control ID.
  virtual void OnCommand(int commandId) = 0;
  // An item of the system menu.
  virtual void OnSysCommand(int commandId) = 0;
  // The close box, or a close asked for by the window manager.
  virtual void OnCloseRequest() = 0;
  // Enter pressed in a field that is not a push button.
  virtual void OnEnterKey(int controlId) = 0;
  // Text or a link dropped onto the window (outside its fields).
  virtual void OnDropText(const std::string& text) = 0;
};

class WindowView {
 public:
  virtual ~WindowView() = default;

  // Fields, static texts, check boxes and radio buttons.
  virtual std::string GetText(int controlId) = 0;
  virtual void SetText(int controlId, const std::string& text) = 0;
  virtual bool IsChecked(int controlId) = 0;
  virtual void SetChecked(int controlId, bool checked) = 0;
  virtual void SetEnabled(int controlId, bool enabled) = 0;
  virtual void SetFocus(int controlId) = 0;
  // Paints the control now, not at the next idle moment.
  virtual void RepaintNow(int controlId) = 0;

  // List boxes. Indexes count from 0; a selection of -1 means none.
  virtual int ListCount(int controlId) = 0;
  virtual std::string ListText(int controlId, int index) = 0;
  virtual void ListInsert(int controlId, int index, const std::string& text) = 0;
  virtual void ListAppend(int controlId, const std::string& text) = 0;
  virtual void ListDelete(int controlId, int index) = 0;
  virtual void ListClear(int controlId) = 0;
  virtual int ListSelection(int controlId) = 0;
  // Scrolls so that the last line is in view.
  virtual void ListShowLast(int controlId) = 0;
  // True when the last line is in view (or the list does not scroll).
  virtual bool ListShowsLast(int controlId) = 0;
  // The text shown when the pointer rests on line `index`.
  virtual void ListSetTip(int controlId, int index, const std::string& text) = 0;

  // A modal message box captioned with the program's name.
  virtual MessageResult MessageBox(const std::string& text, MessageButtons buttons) = 0;
  // The folder picker: the chosen folder in system form, or nothing.
  virtual std::optional<std::string> PickFolder() = 0;
  // The settings-file dialog: the chosen file in system form, or "". The
  // filter lists description and pattern pairs, each followed by "|".
  virtual std::string PickProfileFile(FileDialogMode mode, const std::string& initialName,
                                      const std::string& filter) = 0;
  // The desktop's "open" action: a path that is neither a file nor a folder
  // is kMissing; one the desktop could not hand to a program, kNoProgram.
  virtual OpenResult OpenDocument(const std::string& path) = 0;
  // False when the desktop could not hand the address to a program.
  virtual bool OpenAddress(const std::string& address) = 0;
  // Modal dialogs of the window.
  virtual void RunFilterDialog(CFilterDlg& dialog) = 0;
  virtual void RunAboutDialog(CAboutDlg& dialog) = 0;

  // The bar under the status line: `processed` of `listed`, and its text.
  virtual void SetProgress(std::size_t processed, std::size_t listed, const std::string& text) = 0;

  // The recent profiles in the File menu, above Exit: item i has the text
  // texts[i] and the command id::MenuRecentProfile(i). Replaces the items
  // shown before; none leaves the menu as the table has it.
  virtual void SetRecentProfiles(std::span<const std::string> texts) = 0;

  // The window itself.
  virtual void SetWindowIcon() = 0;
  virtual void SetTitle(const std::string& text) = 0;
  // Appends a separator and the item; false where there is no system menu.
  virtual bool AppendSystemMenuItem(int commandId, const std::string& text) = 0;
  // The toolbar with these buttons (0: separator); false when it cannot be made.
  virtual bool CreateToolBar(std::span<const int> buttons) = 0;
  // Shows the folder picture on the browse button instead of its caption.
  virtual void SetBrowseBitmap() = 0;
  // Shows the window and dispatches its events to `commands` until EndModal.
  virtual int RunModal(WindowCommands& commands) = 0;
  virtual void EndModal(int result) = 0;
  // Dispatches the events that wait, then returns.
  virtual void PumpEvents() = 0;
};

}  // namespace pagelark::ui
