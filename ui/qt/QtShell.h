// The desktop's services for the window: message boxes, the folder picker,
// the settings-file dialog and the "open" action.
#pragma once

#include <QUrl>
#include <functional>
#include <optional>
#include <string>

#include "ui/WindowView.h"

class QWidget;

namespace pagelark::ui {

// A modal box captioned with the program's name, owned by `owner`.
MessageResult ShowMessageBox(QWidget* owner, const std::string& text, MessageButtons buttons);

// The folder picker, without owner, title or starting folder; the folder in
// system form, or nothing when cancelled.
std::optional<std::string> ShowFolderPicker();

// The settings-file dialog (see WindowView::PickProfileFile).
std::string ShowProfileFileDialog(QWidget* owner, FileDialogMode mode, const std::string& initialName,
                                  const std::string& filter);

// Opens with the desktop's associated application. The path is checked
// first, since the desktop reports success for a file that is not there;
// `open` does the opening (tests put a recorder there).
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener DesktopOpener();
OpenResult OpenLocalPath(const UrlOpener& open, const std::string& path);
bool OpenWebAddress(const UrlOpener& open, const std::string& address);

}  // namespace pagelark::ui
