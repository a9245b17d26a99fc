#include "ui/DownloadDlg.h"

#include <array>
#include <utility>

#include "links/PathFields.h"
#include "messages/RunTexts.h"
#include "messages/WindowTexts.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "ui/ControlIds.h"
#include "ui/FilterDlg.h"
#include "ui/Layout.h"
#include "ui/ProgressText.h"
#include "ui/StringTable.h"

namespace pagelark::ui {
namespace {

int FieldControlId(SettingField field, int counter) {
  switch (field) {
    case SettingField::kStartUrl:
      return id::kStartUrl;
    case SettingField::kDownloadFolder:
      return id::kDownloadFolder;
    case SettingField::kCounterFrom:
      return id::CounterFrom(counter);
    case SettingField::kCounterTo:
      return id::CounterTo(counter);
    case SettingField::kCounterStep:
      return id::CounterStep(counter);
  }
  return id::kNoId;
}

using Handler = void (CDownloadDlg::*)();

// Menu items, toolbar buttons and button clicks; IDs that share an operation
// each have their row.
constexpr std::array<std::pair<int, Handler>, 27> kCommandTable = {{
    {id::kMenuNew, &CDownloadDlg::OnNewProfile},
    {id::kToolNew, &CDownloadDlg::OnNewProfile},
    {id::kMenuOpen, &CDownloadDlg::OnOpenProfile},
    {id::kToolOpen, &CDownloadDlg::OnOpenProfile},
    {id::kMenuSave, &CDownloadDlg::OnSaveProfile},
    {id::kToolSave, &CDownloadDlg::OnSaveProfile},
    {id::kMenuSaveAs, &CDownloadDlg::OnSaveProfileAs},
    {id::kMenuExit, &CDownloadDlg::OnExit},
    {id::kToolExit, &CDownloadDlg::OnExit},
    {id::kMenuStart, &CDownloadDlg::OnStartDownload},
    {id::kToolStart, &CDownloadDlg::OnStartDownload},
    {id::kMenuStop, &CDownloadDlg::OnStopDownload},
    {id::kToolStop, &CDownloadDlg::OnStopDownload},
    {id::kMenuShowHtml, &CDownloadDlg::OnShowHtml},
    {id::kToolShowHtml, &CDownloadDlg::OnShowHtml},
    {id::kMenuVersion, &CDownloadDlg::OnVersionInfo},
    {id::kMenuHelp, &CDownloadDlg::OnShowHelp},
    {id::kToolHelp, &CDownloadDlg::OnShowHelp},
    {id::kToolHomePage, &CDownloadDlg::OnHomePage},
    {id::kBrowse, &CDownloadDlg::OnBrowseFolder},
    {id::kAllFiles, &CDownloadDlg::OnAllFiles},
    {id::kSelectKinds, &CDownloadDlg::OnSelectKinds},
    {id::kAddKind, &CDownloadDlg::OnAddKind},
    {id::kDeleteKind, &CDownloadDlg::OnDeleteKind},
    {id::kGet, &CDownloadDlg::OnGet},
    {id::kPost, &CDownloadDlg::OnPost},
    {id::kFilterDetail, &CDownloadDlg::OnFilterDetail},
}};

}  // namespace

WindowServices DefaultWindowServices(std::string programDir, std::string helpDir) {
  return {MakeSettingsProfileStore(), [](Host& host) { return MakeCrawlRunner(host); }, std::move(programDir),
          std::move(helpDir)};
}

CDownloadDlg::CDownloadDlg(WindowView& view, WindowServices services)
    : view_(view),
      profiles_(std::move(services.profiles)),
      webTool_(view),
      controls_(view, state_),
      recent_(view, *profiles_, state_.programDir),
      profileCommands_(view, webTool_, *profiles_, state_, *this, recent_),
      helpCommands_(view, state_),
      runner_(services.makeRunner(*this)) {
  // Shown in messages and stored in set.ini, so in the platform's form.
  const std::string programDir = services.programDir.empty() ? platform::ExecutableDirectory() : services.programDir;
  state_.programDir = platform::WithTrailingSeparator(platform::DisplayPath(programDir));
  state_.helpDir = platform::WithTrailingSeparator(
      platform::DisplayPath(services.helpDir.empty() ? state_.programDir + "help" : services.helpDir));
}

CDownloadDlg::~CDownloadDlg() = default;

int CDownloadDlg::DoModal() {
  OnInitDialog();
  const int result = view_.RunModal(*this);
  OnDestroy();
  return result;
}

void CDownloadDlg::OnInitDialog() {
  const std::string versionItem = LoadString(id::kStringSysVersion);
  if (!versionItem.empty()) view_.AppendSystemMenuItem(id::kSysVersion, versionItem);
  view_.SetWindowIcon();
  LoadStartupSettings();
}

// The start-up profile and the recent ones, then the toolbar. Without a
// toolbar the browse button keeps its caption.
void CDownloadDlg::LoadStartupSettings() {
  state_.profilePath = profiles_->LoadStartup(state_.programDir, *this);
  recent_.Load();
  ShowProfileInTitle();
  CreateToolBar();
}

void CDownloadDlg::ShowProfileInTitle() {
  if (state_.profilePath == titleProfile_) return;
  titleProfile_ = state_.profilePath;
  std::string folder;
  std::string name;
  SplitPath(cp932::ReplaceAll(state_.profilePath, "/", "\\"), folder, name, '\\');
  view_.SetTitle(name + " - " + kMainCaption);
}

void CDownloadDlg::CreateToolBar() {
  if (!view_.CreateToolBar(ToolbarButtons())) return;
  view_.SetBrowseBitmap();
}

// The profile was offered for saving before the window ended (ConfirmClose).
void CDownloadDlg::OnDestroy() {}

void CDownloadDlg::ConfirmClose() {
  const std::string question = state_.profilePath + kMsgAskSaveSuffix;
  switch (view_.MessageBox(question, MessageButtons::kSaveDiscardCancel)) {
    case MessageResult::kCancel:
    case MessageResult::kOpen:  // not offered here
      return;
    case MessageResult::kOk:
      // The writer has said what failed; the window stays so nothing is lost.
      if (!profileCommands_.WriteCurrent()) return;
      break;
    case MessageResult::kDiscard:
      break;
  }
  view_.EndModal(id::kOk);
}

void CDownloadDlg::OnCommand(int commandId) {
  if (IsCounterBox(commandId)) return OnCounterCheck(commandId);
  if (id::IsRecentProfileItem(commandId)) {
    OnOpenRecent(commandId - id::kMenuRecentProfile);
    return ShowProfileInTitle();
  }
  for (const auto& [command, handler] : kCommandTable) {
    if (command != commandId) continue;
    (this->*handler)();
    ShowProfileInTitle();  // New, Open and Save as change the profile
    return;
  }
}

void CDownloadDlg::OnSysCommand(int commandId) {
  if ((commandId & 0xFFF0) == id::kSysVersion) OnVersionInfo();
}

// Closing while a run goes on stops the run first; the question comes once
// the start command has returned (see OnStartDownload), so the run never
// outlives the window it reports to.
void CDownloadDlg::OnCloseRequest() {
  if (runner_->IsRunning()) {
    runner_->StopDownload();
    pendingClose_ = true;
    return;
  }
  ConfirmClose();
}

// A web address dropped onto the window becomes the start URL; anything
// else dropped there is ignored.
void CDownloadDlg::OnDropText(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return;
  const std::string url = text.substr(begin, text.find_first_of("\r\n", begin) - begin);
  const std::string lower = cp932::ToLower(url);
  if (!lower.starts_with("http://") && !lower.starts_with("https://")) return;
  view_.SetText(id::kStartUrl, url);
  view_.SetFocus(id::kStartUrl);
}

// Enter never closes the window: in the URL field it starts the run, in the
// extension field it adds the extension, elsewhere it does nothing.
void CDownloadDlg::OnEnterKey(int controlId) {
  if (controlId == id::kStartUrl) OnStartDownload();
  if (controlId == id::kKindEdit) OnAddKind();
}

void CDownloadDlg::OnStartDownload() {
  if (runner_->IsRunning()) {
    ShowMessage(msg::kRunInProgress);
    return;
  }
  runStart_ = std::chrono::steady_clock::now();
  lastProgress_.reset();
  view_.SetProgress(0, 0, {});
  runner_->StartDownload(state_.programDir, state_.profilePath);
  if (pendingClose_) {
    pendingClose_ = false;
    ConfirmClose();
  }
}

void CDownloadDlg::OnStopDownload() { runner_->StopDownload(); }

void CDownloadDlg::OnBrowseFolder() { webTool_.BrowseFolder(id::kDownloadFolder); }

void CDownloadDlg::OnFilterDetail() {
  CFilterDlg dialog(state_.filters);
  view_.RunFilterDialog(dialog);
}

const CrawlSettings& CDownloadDlg::CurrentSettings() {
  current_ = controls_.Read();
  return current_;
}

// A profile written on Windows loads all the same; its folder cannot be used
// here, and the user is told at once rather than at the next start.
void CDownloadDlg::ApplySettings(const CrawlSettings& settings) {
  controls_.Write(settings);
  if (platform::IsForeignDrivePath(settings.downloadFolder)) ShowMessage(msg::kForeignFolder + settings.downloadFolder);
}

void CDownloadDlg::SetIndexFile(const std::string& indexFile) { state_.indexFile = indexFile; }

// The list follows new lines only while the user has it at its bottom, so a
// line scrolled back to stays in view during a run.
void CDownloadDlg::AppendLine(const std::string& line) {
  const bool follow = view_.ListShowsLast(id::kProgressList);
  view_.ListAppend(id::kProgressList, line);
  if (follow) view_.ListShowLast(id::kProgressList);
}

int CDownloadDlg::LineCount() { return view_.ListCount(id::kProgressList); }

std::string CDownloadDlg::Line(int index) { return view_.ListText(id::kProgressList, index); }

void CDownloadDlg::ClearLines() { view_.ListClear(id::kProgressList); }

// A failed line tells why ("HTTP 404", "timed out") when the pointer rests on it.
void CDownloadDlg::NoteLineReason(int index, const std::string& reason) {
  view_.ListSetTip(id::kProgressList, index, reason);
}

void CDownloadDlg::ReportProgress(const RunProgress& progress) {
  lastProgress_ = progress;
  ShowProgress(progress);
}

void CDownloadDlg::ShowProgress(const RunProgress& progress) {
  const double seconds = SecondsSinceStart();
  shownSecond_ = static_cast<long>(seconds);
  view_.SetProgress(progress.processed, progress.listed, ProgressText(progress, seconds));
}

double CDownloadDlg::SecondsSinceStart() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart_).count();
}

void CDownloadDlg::SetStatus(const std::string& text) {
  view_.SetText(id::kStatusLine, text);
  view_.RepaintNow(id::kStatusLine);
}

void CDownloadDlg::ShowMessage(const std::string& text) { view_.MessageBox(text, MessageButtons::kOk); }

// A run's end message also offers its mirror: the run has made the download
// folder the current directory.
void CDownloadDlg::ShowRunEnd(const std::string& text) {
  if (view_.MessageBox(text, MessageButtons::kOkOpenFolder) == MessageResult::kOpen) {
    helpCommands_.OpenFolder(platform::DisplayPath(platform::CurrentDirectory()));
  }
}

void CDownloadDlg::FocusField(SettingField field, int counter) { view_.SetFocus(FieldControlId(field, counter)); }

void CDownloadDlg::PumpMessages() {
  if (lastProgress_ && runner_->IsRunning() && static_cast<long>(SecondsSinceStart()) != shownSecond_) {
    ShowProgress(*lastProgress_);
  }
  webTool_.PumpMessages();
}

}  // namespace pagelark::ui
