// The main window's Qt view: the dialog with its menu, toolbar and controls.
// It draws and forwards; every decision is the window logic's.
#pragma once

#include <QDialog>
#include <vector>

#include "ui/WindowView.h"
#include "ui/qt/ControlFactory.h"
#include "ui/qt/QtShell.h"

class QMenuBar;
class QListWidget;
class QToolBar;
class QProgressBar;
class QLabel;
class QAction;
class QMenu;

namespace pagelark::ui {

class QtMainWindow final : public QDialog, public WindowView {
  Q_OBJECT

 public:
  explicit QtMainWindow(QWidget* parent = nullptr);
  ~QtMainWindow() override;

  // The widget of a control, menu item's action owner aside; nullptr when unknown.
  QWidget* Control(int controlId) const;
  QMenuBar* menuBar() const { return menuBar_; }
  QToolBar* toolBar() const { return toolBar_; }
  BaseUnits baseUnits() const { return base_; }
  // Where events go; RunModal sets it for the modal run. Tests that show the
  // window without running it modally set it here.
  void Bind(WindowCommands* commands) { commands_ = commands; }
  // Replaces the desktop's "open" action (tests record instead).
  void SetOpener(UrlOpener opener) { opener_ = std::move(opener); }

  // WindowView.
  std::string GetText(int controlId) override;
  void SetText(int controlId, const std::string& text) override;
  bool IsChecked(int controlId) override;
  void SetChecked(int controlId, bool checked) override;
  void SetEnabled(int controlId, bool enabled) override;
  void SetFocus(int controlId) override;
  void RepaintNow(int controlId) override;
  int ListCount(int controlId) override;
  std::string ListText(int controlId, int index) override;
  void ListInsert(int controlId, int index, const std::string& text) override;
  void ListAppend(int controlId, const std::string& text) override;
  void ListDelete(int controlId, int index) override;
  void ListClear(int controlId) override;
  int ListSelection(int controlId) override;
  void ListShowLast(int controlId) override;
  bool ListShowsLast(int controlId) override;
  void ListSetTip(int controlId, int index, const std::string& text) override;
  MessageResult MessageBox(const std::string& text, MessageButtons buttons) override;
  std::optional<std::string> PickFolder() override;
  std::string PickProfileFile(FileDialogMode mode, const std::string& initialName, const std::string& filter) override;
  OpenResult OpenDocument(const std::string& path) override;
  bool OpenAddress(const std::string& address) override;
  void RunFilterDialog(CFilterDlg& dialog) override;
  void RunAboutDialog(CAboutDlg& dialog) override;
  void SetRecentProfiles(std::span<const std::string> texts) override;
  void SetWindowIcon() override;
  void SetTitle(const std::string& text) override;
  void SetProgress(std::size_t processed, std::size_t listed, const std::string& text) override;
  bool AppendSystemMenuItem(int commandId, const std::string& text) override;
  bool CreateToolBar(std::span<const int> buttons) override;
  void SetBrowseBitmap() override;
  int RunModal(WindowCommands& commands) override;
  void EndModal(int result) override;
  void PumpEvents() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void BuildMenu();
  QAction* AddMenuCommand(QMenu* menu, int command, const QString& text, QAction* before = nullptr);
  void BuildProgressStrip(const DialogSpec& spec);
  void Forward(int commandId);
  void RequestClose();
  QListWidget* List(int controlId) const;

  QMenuBar* menuBar_ = nullptr;
  QAction* recentAbove_ = nullptr;     // the item the recent profiles are listed above
  std::vector<QAction*> recentItems_;  // with their separator
  QWidget* client_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QWidget* progressStrip_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QLabel* progressText_ = nullptr;
  BaseUnits base_{};
  ControlMap controls_;
  WindowCommands* commands_ = nullptr;
  UrlOpener opener_;
  bool ending_ = false;
};

}  // namespace pagelark::ui
