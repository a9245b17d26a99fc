// The commands that open something outside the settings: the help file, the
// version dialog, the start page saved by the last run and the home page.
#pragma once

#include <string>

#include "ui/WindowState.h"
#include "ui/WindowView.h"

namespace pagelark::ui {

// The help file, in the "help" folder beside the program.
#ifdef _WIN32
inline constexpr char kHelpFileName[] = "PagelarkCGI.chm";
#else
inline constexpr char kHelpFileName[] = "PagelarkCGI.html";
#endif

class HelpCommands {
 public:
  HelpCommands(WindowView& view, const WindowState& state) : view_(view), state_(state) {}

  void OnShowHelp();
  void OnVersionInfo();
  // Opens the download folder's start page, from the field as it reads now.
  void OnShowHtml();
  void OnHomePage();
  // Opens a folder (the mirror of the run that just ended).
  void OpenFolder(const std::string& folder);

  std::string HelpFilePath() const;

 private:
  // Opens `path`; says which is missing, the file or a program for it.
  void Open(const std::string& path, const char* missing, const char* noProgram);

  WindowView& view_;
  const WindowState& state_;
};

// Opens the product's home page; says so when no program opens it.
void OpenHomePage(WindowView& view);

}  // namespace pagelark::ui
