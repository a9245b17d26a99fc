// The main window's logic: the live holder of the current settings, the host
// of every command, and the front end that a run reports to.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "settings/Host.h"
#include "ui/DownloadRunner.h"
#include "ui/HelpCommands.h"
#include "ui/ProfileCommands.h"
#include "ui/ProfileStore.h"
#include "ui/RecentProfiles.h"
#include "ui/SettingsControls.h"
#include "ui/WebTool.h"
#include "ui/WindowState.h"
#include "ui/WindowView.h"

namespace pagelark::ui {

// What the window works with besides its view.
struct WindowServices {
  std::unique_ptr<ProfileStore> profiles;
  std::function<std::unique_ptr<DownloadRunner>(Host&)> makeRunner;
  // The folder that holds set.ini and log\; empty: the executable's folder.
  std::string programDir;
  // The folder of the help file; empty: "help" in the program's folder.
  std::string helpDir = {};
};

// The settings module and the crawl engine; `programDir` as above.
WindowServices DefaultWindowServices(std::string programDir = {}, std::string helpDir = {});

class CDownloadDlg final : public Host, public WindowCommands {
 public:
  CDownloadDlg(WindowView& view, WindowServices services);
  ~CDownloadDlg() override;
  CDownloadDlg(const CDownloadDlg&) = delete;
  CDownloadDlg& operator=(const CDownloadDlg&) = delete;

  // Initialises and runs the window until it is closed. Returns id::kOk.
  int DoModal();

  // Steps of the window's life, public for the tests.
  void OnInitDialog();
  void OnDestroy();

  // WindowCommands: the command table and the control notifications.
  void OnCommand(int commandId) override;
  void OnSysCommand(int commandId) override;
  void OnCloseRequest() override;
  void OnEnterKey(int controlId) override;
  void OnDropText(const std::string& text) override;

  // Commands of the window.
  void OnStartDownload();
  void OnStopDownload();
  void OnExit() { OnCloseRequest(); }
  void OnBrowseFolder();
  void OnFilterDetail();
  void OnAllFiles() { controls_.kinds().OnAllFiles(); }
  void OnSelectKinds() { controls_.kinds().OnSelectKinds(); }
  void OnAddKind() { controls_.kinds().OnAddKind(); }
  void OnDeleteKind() { controls_.kinds().OnDeleteKind(); }
  void OnGet() { controls_.OnGet(); }
  void OnPost() { controls_.OnPost(); }
  void OnCounterCheck(int boxId) { controls_.counters().OnCounterCheck(boxId); }
  void OnNewProfile() { profileCommands_.OnNewProfile(); }
  void OnOpenProfile() { profileCommands_.OnOpenProfile(); }
  void OnSaveProfile() { profileCommands_.OnSaveProfile(); }
  void OnSaveProfileAs() { profileCommands_.OnSaveProfileAs(); }
  void OnOpenRecent(int index) { profileCommands_.OnOpenRecent(index); }
  void OnShowHelp() { helpCommands_.OnShowHelp(); }
  void OnVersionInfo() { helpCommands_.OnVersionInfo(); }
  void OnShowHtml() { helpCommands_.OnShowHtml(); }
  void OnHomePage() { helpCommands_.OnHomePage(); }

  const WindowState& state() const { return state_; }

  // Host: the engine's view of the window.
  const CrawlSettings& CurrentSettings() override;
  void ApplySettings(const CrawlSettings& settings) override;
  void SetIndexFile(const std::string& indexFile) override;
  void AppendLine(const std::string& line) override;
  int LineCount() override;
  std::string Line(int index) override;
  void ClearLines() override;
  void NoteLineReason(int index, const std::string& reason) override;
  void ReportProgress(const RunProgress& progress) override;
  void SetStatus(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  void ShowRunEnd(const std::string& text) override;
  void FocusField(SettingField field, int counter) override;
  void PumpMessages() override;

 private:
  void LoadStartupSettings();
  void CreateToolBar();
  // The current profile's file name before the window's caption.
  void ShowProfileInTitle();
  // Asks whether to save the current profile, then ends the window, unless
  // the user goes back to it or the profile could not be written.
  void ConfirmClose();
  // The progress strip for `progress`, with the time since the run began.
  void ShowProgress(const RunProgress& progress);
  double SecondsSinceStart() const;

  WindowView& view_;
  WindowState state_;
  std::unique_ptr<ProfileStore> profiles_;
  CWebTool webTool_;
  SettingsControls controls_;
  RecentProfiles recent_;
  ProfileCommands profileCommands_;
  HelpCommands helpCommands_;
  std::unique_ptr<DownloadRunner> runner_;
  CrawlSettings current_;
  // A close asked for while a run goes on: asked once the run has stopped
  // and the start command has returned.
  bool pendingClose_ = false;
  std::chrono::steady_clock::time_point runStart_ = std::chrono::steady_clock::now();
  // The run's last progress and the whole second of the time shown with it:
  // during a long transfer no candidate is taken, and the strip is shown
  // again as each second passes.
  std::optional<RunProgress> lastProgress_;
  long shownSecond_ = -1;
  std::string titleProfile_;  // the profile path the title shows
};

}  // namespace pagelark::ui
