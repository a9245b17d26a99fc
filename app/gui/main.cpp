// pagelark: the window program. Runs the main window for the life of the
// process. --program-dir DIR stands in for the executable's folder: set.ini,
// log\ and help\ are looked for there (tests and portable set-ups).
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "platform/fs.h"
#include "platform/memory.h"
#include "ui/DownloadApp.h"
#include "ui/qt/GuardedApplication.h"
#include "ui/qt/QtMainWindow.h"

namespace {

constexpr char kUsage[] = "usage: pagelark [--program-dir DIR]\n";

// The program folder given on the command line, in system form; "" for the
// executable's own folder. False for anything it does not understand.
bool ParseArguments(int argc, char** argv, std::string& programDir) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--program-dir") == 0 && i + 1 < argc) {
      // Absolute: a run makes the download folder the current directory.
      programDir = pagelark::platform::AbsolutePath(pagelark::platform::SystemPath(argv[++i]));
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

// Qt's own dialogs (file and folder pickers, question buttons) in Japanese,
// like the rest of the window; without the translation they stay English.
void InstallJapaneseQtTexts(QApplication& application, QTranslator& translator) {
  if (translator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    application.installTranslator(&translator);
  }
}

int Run(int argc, char** argv) {
  pagelark::ui::GuardedApplication application(argc, argv);
  QTranslator translator;
  InstallJapaneseQtTexts(application, translator);
  std::string programDir;
  if (!ParseArguments(argc, argv, programDir)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  pagelark::ui::QtMainWindow view;
  pagelark::ui::CDownloadApp app(view, pagelark::ui::DefaultWindowServices(programDir));
  app.InitInstance();
  return 0;
}

// Commands are guarded by the application object; what fails outside them
// (no memory for the window itself) ends the program with a line that says
// so, never with an abort.
int main(int argc, char** argv) {
  pagelark::platform::ShareOneHeapArena();
  try {
    return Run(argc, argv);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "pagelark: %s\n", failure.what());
    return 1;
  }
}
