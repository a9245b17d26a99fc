#include "ui/qt/QtShell.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "messages/WindowTexts.h"
#include "platform/fs.h"
#include "ui/WebTool.h"
#include "ui/qt/QtText.h"

namespace pagelark::ui {
namespace {

// The file dialog of the New command asks before it accepts a file that does
// not exist yet; the file itself is made only when the profile is saved.
class ProfileFileDialog : public QFileDialog {
 public:
  ProfileFileDialog(QWidget* owner, FileDialogMode mode) : QFileDialog(owner), mode_(mode) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (mode_ == FileDialogMode::kNew && !files.isEmpty() && !QFileInfo::exists(files.first())) {
      const std::string path = platform::SystemPath(files.first().toStdString());
      QMessageBox::StandardButton answer = QMessageBox::question(
          this, ToQt(kAppName), ToQt(path + kMsgCreateFileSuffix), QMessageBox::Yes | QMessageBox::No);
      if (answer != QMessageBox::Yes) return;
    }
    QFileDialog::accept();
  }

 private:
  FileDialogMode mode_;
};

QStringList NameFilters(const std::string& filter) {
  QStringList filters;
  for (const FileTypeFilter& type : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const std::string& pattern : type.patterns) patterns << ToQt(pattern);
    filters << ToQt(type.label) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

// Escape and the box's close button answer Cancel: back to the window.
MessageResult AskSaveDiscardCancel(QWidget* owner, const std::string& text) {
  QMessageBox box(QMessageBox::Question, ToQt(kAppName), ToQt(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
  box.setTextFormat(Qt::PlainText);
  box.button(QMessageBox::Save)->setText(ToQt(kLabelSaveButton));
  box.button(QMessageBox::Discard)->setText(ToQt(kLabelDiscardButton));
  box.button(QMessageBox::Cancel)->setText(ToQt(kLabelCancelButton));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return MessageResult::kOk;
    case QMessageBox::Discard:
      return MessageResult::kDiscard;
    default:
      return MessageResult::kCancel;
  }
}

}  // namespace

MessageResult ShowMessageBox(QWidget* owner, const std::string& text, MessageButtons buttons) {
  if (buttons == MessageButtons::kSaveDiscardCancel) return AskSaveDiscardCancel(owner, text);
  QMessageBox box(QMessageBox::NoIcon, ToQt(kAppName), ToQt(text), QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);  // a path in it can be copied
  if (buttons == MessageButtons::kOkCancel) {
    box.addButton(QMessageBox::Cancel)->setText(ToQt(kLabelCancelButton));
    box.setIcon(QMessageBox::Question);
  }
  QPushButton* open = buttons == MessageButtons::kOkOpenFolder
                          ? box.addButton(ToQt(kLabelOpenFolderButton), QMessageBox::ActionRole)
                          : nullptr;
  box.setDefaultButton(QMessageBox::Ok);
  const int answer = box.exec();
  if (open != nullptr && box.clickedButton() == open) return MessageResult::kOpen;
  return answer == QMessageBox::Ok ? MessageResult::kOk : MessageResult::kCancel;
}

std::optional<std::string> ShowFolderPicker() {
  const QString folder = QFileDialog::getExistingDirectory(nullptr, QString(), QString());
  if (folder.isEmpty()) return std::nullopt;
  return platform::SystemPath(folder.toStdString());
}

std::string ShowProfileFileDialog(QWidget* owner, FileDialogMode mode, const std::string& initialName,
                                  const std::string& filter) {
  ProfileFileDialog dialog(owner, mode);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setNameFilters(NameFilters(filter));
  dialog.setOption(QFileDialog::HideNameFilterDetails);  // the entry reads as written
  dialog.setDefaultSuffix(QStringLiteral("ini"));
  dialog.selectFile(QString::fromStdString(platform::NativePath(initialName)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return platform::SystemPath(dialog.selectedFiles().first().toStdString());
}

UrlOpener DesktopOpener() {
  return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

OpenResult OpenLocalPath(const UrlOpener& open, const std::string& path) {
  if (!platform::FileExists(path) && !platform::FolderExists(path)) return OpenResult::kMissing;
  const bool opened = open(QUrl::fromLocalFile(QString::fromStdString(platform::NativePath(path))));
  return opened ? OpenResult::kOpened : OpenResult::kNoProgram;
}

bool OpenWebAddress(const UrlOpener& open, const std::string& address) {
  return open(QUrl(ToQt(address), QUrl::TolerantMode));
}

}  // namespace pagelark::ui
