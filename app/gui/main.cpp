// pagelark: the window program. Runs the main window for the life of the
// process. The program folder (set.ini, log\) and the help folder are the
// executable's folder and help\ in it, or, when it runs from an installed
// prefix, the user's configuration folder and share/pagelark/help/
// (platform/program_folders.h). --program-dir DIR stands in for the
// program folder: set.ini, log\ and help\ are looked for there (tests and
// portable set-ups). --help and --version answer without a display.
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "platform/fs.h"
#include "platform/memory.h"
#include "platform/program_folders.h"
#include "ui/DownloadApp.h"
#include "ui/qt/GuardedApplication.h"
#include "ui/qt/QtMainWindow.h"

namespace {

constexpr char kUsage[] = "usage: pagelark [--program-dir DIR] | --help | --version\n";
constexpr char kHelp[] =
    "usage: pagelark [--program-dir DIR]\n"
    "\n"
    "Opens the web-page downloader's window.\n"
    "\n"
    "  --program-dir DIR   the folder of set.ini, log/ and help/\n"
    "  --help              print this text\n"
    "  --version           print the version\n";

// --help or --version anywhere is answered before Qt starts, so neither
// needs a display. True when one of them was answered.
bool AnswerInformationOption(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const bool help = std::strcmp(argv[i], "--help") == 0;
    if (help || std::strcmp(argv[i], "--version") == 0) {
      std::fputs(help ? kHelp : "pagelark " PAGELARK_VERSION "\n", stdout);
      return true;
    }
  }
  return false;
}

// The program folder given on the command line, in system form; "" for the
// default. False for anything it does not understand.
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

// The services of the window: the program folder given, with its help\, or
// the default folders; an installed program's folder is created here, as
// nothing else makes it.
pagelark::ui::WindowServices WindowServicesFor(const std::string& programDir) {
  if (!programDir.empty()) return pagelark::ui::DefaultWindowServices(programDir);
  const pagelark::platform::ProgramFolders folders = pagelark::platform::DefaultProgramFolders();
  if (folders.installed) pagelark::platform::CreateDirectories(folders.programDir);
  return pagelark::ui::DefaultWindowServices(folders.programDir, folders.helpDir);
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
  if (AnswerInformationOption(argc, argv)) return 0;
  pagelark::ui::GuardedApplication application(argc, argv);
  // The desktop entry (dist/pagelark.desktop): its name and icon for the window.
  QGuiApplication::setDesktopFileName(QStringLiteral("pagelark"));
  QTranslator translator;
  InstallJapaneseQtTexts(application, translator);
  std::string programDir;
  if (!ParseArguments(argc, argv, programDir)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  pagelark::ui::QtMainWindow view;
  pagelark::ui::CDownloadApp app(view, WindowServicesFor(programDir));
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
