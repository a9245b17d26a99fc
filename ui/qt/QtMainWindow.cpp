#include "ui/qt/QtMainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/ControlIds.h"
#include "ui/Layout.h"
#include "ui/StringTable.h"
#include "ui/qt/Artwork.h"
#include "ui/qt/DialogFont.h"
#include "ui/qt/HatchedBackground.h"
#include "ui/qt/QtAboutDialog.h"
#include "ui/qt/QtFilterDialog.h"
#include "ui/qt/QtText.h"

namespace pagelark::ui {
namespace {

constexpr int kToolBarWidth = 10000;  // spans the window whatever its width
constexpr int kBrowseImageSize = 16;
// The progress strip under the described layout, in dialog units; the bar
// counts in at most this many steps.
constexpr int kStripMargin = 8;
constexpr int kStripHeight = 10;
constexpr int kStripGap = 3;
constexpr std::size_t kMaxBarSteps = 10000;
// Small enough for any screen; below the controls' size the window scrolls.
constexpr int kMinimumWidth = 360;
constexpr int kMinimumHeight = 240;

// The window's size at the start: the controls' size, but no larger than the
// screen's free area (at a scale of 2 the controls need more than 1280x1024).
QSize FittingSize(QSize wanted) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return wanted;
  return wanted.boundedTo(screen->availableGeometry().size() - QSize(16, 48));  // room for the frame
}

}  // namespace

QtMainWindow::QtMainWindow(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      opener_(DesktopOpener()) {
  const DialogSpec& spec = MainWindowSpec();
  setFont(DialogFont());
  setWindowTitle(ToQt(spec.caption));
  base_ = BaseUnitsOf(font());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menuBar_ = new QMenuBar(this);
  layout->setMenuBar(menuBar_);
  // The controls keep their places; the window scrolls when it is smaller
  // than they need, and gives the progress list the room when it is larger.
  auto* scroll = new QScrollArea(this);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes from control to control, never to the frame
  scroll->setWidgetResizable(true);
  client_ = new HatchedPanel();
  scroll->setWidget(client_);
  layout->addWidget(scroll);
  BuildMenu();
  controls_ = BuildControls(spec, client_, base_, [this](int id) { Forward(id); });
  InstallFieldMnemonics(controls_, this, MainWindowMnemonics());
  BuildProgressStrip(spec);
  StretchLayout(client_, Control(id::kProgressList), {Control(id::kStatusLine), progressStrip_});
  TakeEnterInFields(controls_, this, [this](int id) {
    if (commands_ != nullptr) commands_->OnEnterKey(id);
  });

  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setAcceptDrops(true);
  resize(FittingSize(QSize(client_->minimumWidth(), client_->minimumHeight() + menuBar_->sizeHint().height())));
}

QtMainWindow::~QtMainWindow() = default;

// The bar and its text, in a strip under the described window: the client
// area is that much taller than the described layout.
void QtMainWindow::BuildProgressStrip(const DialogSpec& spec) {
  const int width = DluToPixelsX(spec.width, base_);
  const int top = DluToPixelsY(spec.height, base_);
  const int margin = DluToPixelsX(kStripMargin, base_);
  progressStrip_ = new QWidget(client_);
  auto* row = new QHBoxLayout(progressStrip_);
  row->setContentsMargins(0, 0, 0, 0);
  progressBar_ = new QProgressBar(progressStrip_);
  progressBar_->setObjectName(QStringLiteral("progressBar"));
  progressBar_->setTextVisible(false);
  progressBar_->setRange(0, 1);
  progressBar_->setValue(0);
  progressText_ = new QLabel(progressStrip_);
  progressText_->setObjectName(QStringLiteral("progressText"));
  row->addWidget(progressBar_, 1);
  row->addWidget(progressText_, 1);
  const int height = DluToPixelsY(kStripHeight, base_);
  progressStrip_->setGeometry(margin, top, width - 2 * margin, height);
  client_->setMinimumSize(width, top + height + DluToPixelsY(kStripGap, base_));
}

void QtMainWindow::SetProgress(std::size_t processed, std::size_t listed, const std::string& text) {
  const int scale = listed == 0 ? 1 : static_cast<int>(std::min<std::size_t>(listed, kMaxBarSteps));
  const double share = listed == 0 ? 0.0 : static_cast<double>(processed) / static_cast<double>(listed);
  progressBar_->setRange(0, scale);
  progressBar_->setValue(static_cast<int>(share * scale));
  progressText_->setText(ToQt(text));
}

void QtMainWindow::BuildMenu() {
  for (const MenuSpec& menuSpec : MainMenu()) {
    QMenu* menu = menuBar_->addMenu(ToQt(menuSpec.title));
    for (const MenuItemSpec& item : menuSpec.items) {
      if (item.command == 0) {
        menu->addSeparator();
        continue;
      }
      QAction* action = AddMenuCommand(menu, item.command, ToQt(item.text));
      if (const char* keys = MenuShortcut(item.command)) action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
      if (item.command == RecentProfilesAbove()) recentAbove_ = action;
    }
  }
}

QAction* QtMainWindow::AddMenuCommand(QMenu* menu, int command, const QString& text, QAction* before) {
  auto* action = new QAction(text, menu);
  action->setObjectName(QStringLiteral("command%1").arg(command));
  connect(action, &QAction::triggered, this, [this, command] { Forward(command); });
  menu->insertAction(before, action);
  return action;
}

void QtMainWindow::SetRecentProfiles(std::span<const std::string> texts) {
  for (QAction* item : recentItems_) delete item;
  recentItems_.clear();
  if (recentAbove_ == nullptr || texts.empty()) return;
  QMenu* menu = qobject_cast<QMenu*>(recentAbove_->parent());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    recentItems_.push_back(
        AddMenuCommand(menu, id::MenuRecentProfile(static_cast<int>(i)), ToQt(texts[i]), recentAbove_));
  }
  recentItems_.push_back(menu->insertSeparator(recentAbove_));
}

bool QtMainWindow::CreateToolBar(std::span<const int> buttons) {
  toolBar_ = new QToolBar(client_);
  toolBar_->setIconSize(QSize(art::kToolbarImageSize, art::kToolbarImageSize));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  toolBar_->setMovable(false);
  for (int command : buttons) {
    if (command == 0) {
      toolBar_->addSeparator();
      continue;
    }
    const QString tip = ToQt(LoadString(command));
    QAction* action = toolBar_->addAction(QIcon(QPixmap::fromImage(art::ToolbarImage(command))), tip);
    action->setToolTip(tip);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    connect(action, &QAction::triggered, this, [this, command] { Forward(command); });
  }
  toolBar_->setGeometry(0, 0, kToolBarWidth, toolBar_->sizeHint().height());
  toolBar_->show();
  return true;
}

void QtMainWindow::SetBrowseBitmap() {
  auto* button = qobject_cast<QPushButton*>(Control(id::kBrowse));
  if (button == nullptr) return;
  button->setAccessibleName(button->text());  // only the toolbar shows tooltips
  button->setText(QString());
  button->setIcon(QIcon(QPixmap::fromImage(art::BrowseFolder(kBrowseImageSize))));
  button->setIconSize(QSize(kBrowseImageSize, kBrowseImageSize));
}

void QtMainWindow::SetWindowIcon() { setWindowIcon(art::ProgramIconSet()); }

void QtMainWindow::SetTitle(const std::string& text) { setWindowTitle(ToQt(text)); }

// The window manager owns the system menu here; nothing can be added to it.
bool QtMainWindow::AppendSystemMenuItem(int, const std::string&) { return false; }

QWidget* QtMainWindow::Control(int controlId) const {
  const auto it = controls_.find(controlId);
  return it == controls_.end() ? nullptr : it->second;
}

QListWidget* QtMainWindow::List(int controlId) const { return qobject_cast<QListWidget*>(Control(controlId)); }

std::string QtMainWindow::GetText(int controlId) {
  QWidget* widget = Control(controlId);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return FromQt(edit->text());
  if (auto* label = qobject_cast<QLabel*>(widget)) return FromQt(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQt(button->text());
  return {};
}

void QtMainWindow::SetText(int controlId, const std::string& text) {
  QWidget* widget = Control(controlId);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(ToQt(text));
    edit->setCursorPosition(0);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(ToQt(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(ToQt(text));
  }
}

bool QtMainWindow::IsChecked(int controlId) {
  auto* button = qobject_cast<QAbstractButton*>(Control(controlId));
  return button != nullptr && button->isChecked();
}

void QtMainWindow::SetChecked(int controlId, bool checked) {
  if (auto* button = qobject_cast<QAbstractButton*>(Control(controlId))) button->setChecked(checked);
}

void QtMainWindow::SetEnabled(int controlId, bool enabled) {
  if (QWidget* widget = Control(controlId)) widget->setEnabled(enabled);
}

void QtMainWindow::SetFocus(int controlId) {
  if (QWidget* widget = Control(controlId)) widget->setFocus(Qt::OtherFocusReason);
}

void QtMainWindow::RepaintNow(int controlId) {
  if (QWidget* widget = Control(controlId); widget != nullptr && widget->isVisible()) widget->repaint();
}

int QtMainWindow::ListCount(int controlId) {
  QListWidget* list = List(controlId);
  return list == nullptr ? 0 : list->count();
}

std::string QtMainWindow::ListText(int controlId, int index) {
  QListWidget* list = List(controlId);
  if (list == nullptr || index < 0 || index >= list->count()) return {};
  return FromQt(list->item(index)->text());
}

void QtMainWindow::ListInsert(int controlId, int index, const std::string& text) {
  if (QListWidget* list = List(controlId)) list->insertItem(index < 0 ? list->count() : index, ToQt(text));
}

void QtMainWindow::ListAppend(int controlId, const std::string& text) {
  if (QListWidget* list = List(controlId)) list->addItem(ToQt(text));
}

void QtMainWindow::ListDelete(int controlId, int index) {
  if (QListWidget* list = List(controlId); list != nullptr && index >= 0 && index < list->count()) {
    delete list->takeItem(index);
  }
}

void QtMainWindow::ListClear(int controlId) {
  if (QListWidget* list = List(controlId)) list->clear();
}

int QtMainWindow::ListSelection(int controlId) {
  QListWidget* list = List(controlId);
  if (list == nullptr) return -1;
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

void QtMainWindow::ListShowLast(int controlId) {
  if (QListWidget* list = List(controlId)) list->scrollToBottom();
}

void QtMainWindow::ListSetTip(int controlId, int index, const std::string& text) {
  if (QListWidget* list = List(controlId); list != nullptr && index >= 0 && index < list->count()) {
    list->item(index)->setToolTip(ToQt(text));
  }
}

bool QtMainWindow::ListShowsLast(int controlId) {
  QListWidget* list = List(controlId);
  if (list == nullptr) return true;
  const QScrollBar* bar = list->verticalScrollBar();
  return bar->value() >= bar->maximum();
}

MessageResult QtMainWindow::MessageBox(const std::string& text, MessageButtons buttons) {
  return ShowMessageBox(this, text, buttons);
}

std::optional<std::string> QtMainWindow::PickFolder() { return ShowFolderPicker(); }

std::string QtMainWindow::PickProfileFile(FileDialogMode mode, const std::string& initialName,
                                          const std::string& filter) {
  return ShowProfileFileDialog(this, mode, initialName, filter);
}

OpenResult QtMainWindow::OpenDocument(const std::string& path) { return OpenLocalPath(opener_, path); }

bool QtMainWindow::OpenAddress(const std::string& address) { return OpenWebAddress(opener_, address); }

void QtMainWindow::RunFilterDialog(CFilterDlg& dialog) {
  QtFilterDialog filter(dialog, this);
  filter.exec();
}

void QtMainWindow::RunAboutDialog(CAboutDlg& dialog) {
  QtAboutDialog about(dialog, this);
  about.exec();
}

int QtMainWindow::RunModal(WindowCommands& commands) {
  commands_ = &commands;
  ending_ = false;
  const int result = exec();
  commands_ = nullptr;
  return result;
}

void QtMainWindow::EndModal(int result) {
  ending_ = true;
  done(result);
}

void QtMainWindow::PumpEvents() { QCoreApplication::processEvents(); }

void QtMainWindow::Forward(int commandId) {
  if (commands_ != nullptr) commands_->OnCommand(commandId);
}

void QtMainWindow::RequestClose() {
  if (commands_ != nullptr) commands_->OnCloseRequest();
}

// Enter presses a push button; in a field the window logic has taken it
// already (TakeEnterInFields). It never reaches QDialog, whose Enter would
// end the window.
void QtMainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

void QtMainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void QtMainWindow::dropEvent(QDropEvent* event) {
  const QMimeData* dropped = event->mimeData();
  const QString text =
      dropped->hasUrls() && !dropped->urls().isEmpty() ? dropped->urls().first().toString() : dropped->text();
  if (commands_ != nullptr) commands_->OnDropText(FromQt(text));
  event->acceptProposedAction();
}

// Escape does not close the window: a stray key must not lose a run or edits.
void QtMainWindow::reject() {}

void QtMainWindow::closeEvent(QCloseEvent* event) {
  if (ending_ || commands_ == nullptr) {
    QDialog::closeEvent(event);
    return;
  }
  event->ignore();
  RequestClose();
}

}  // namespace pagelark::ui
