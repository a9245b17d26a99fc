// A main-window view that keeps every control's state in memory, records what
// the logic asked for, and answers the dialogs from scripted replies.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/FilterView.h"
#include "ui/WindowView.h"

namespace pagelark::ui::test {

struct FakeControl {
  std::string text;
  bool checked = false;
  bool enabled = true;
  std::vector<std::string> lines;
  int selection = -1;
};

class FakeWindowView : public WindowView {
 public:
  std::map<int, FakeControl> controls;
  int focus = 0;
  std::vector<std::string> messages;
  std::deque<MessageResult> answers;  // replies to OK/Cancel boxes; OK when empty
  std::optional<std::string> folderReply;
  std::string fileReply;
  std::string currentDirectoryDuringDialog;
  std::vector<std::pair<FileDialogMode, std::string>> fileDialogs;
  std::vector<std::string> opened;
  OpenResult openResult = OpenResult::kOpened;
  bool listAtBottom = true;
  std::string title;
  std::vector<std::string> recentMenu;
  std::pair<std::size_t, std::size_t> progress;
  std::string progressText;
  std::map<int, std::string> tips;
  int showLastCalls = 0;
  int filterDialogs = 0;
  int aboutDialogs = 0;
  std::function<void(CFilterDlg&)> onFilterDialog;
  std::function<void(CAboutDlg&)> onAboutDialog;
  std::vector<std::pair<int, std::string>> systemMenu;
  bool hasSystemMenu = false;
  bool toolBarFails = false;
  std::vector<int> toolBar;
  bool browseBitmap = false;
  bool iconSet = false;
  std::optional<int> endedWith;
  int pumps = 0;
  // Run inside the next PumpEvents call, as events that arrive during a run.
  std::deque<std::function<void()>> pendingEvents;
  // Run inside RunModal, as the user's actions.
  std::function<void(WindowCommands&)> userSession;

  FakeControl& at(int id) { return controls[id]; }

  std::string GetText(int id) override { return at(id).text; }
  void SetText(int id, const std::string& text) override { at(id).text = text; }
  bool IsChecked(int id) override { return at(id).checked; }
  void SetChecked(int id, bool checked) override { at(id).checked = checked; }
  void SetEnabled(int id, bool enabled) override { at(id).enabled = enabled; }
  void SetFocus(int id) override { focus = id; }
  void RepaintNow(int) override {}
  int ListCount(int id) override { return static_cast<int>(at(id).lines.size()); }
  std::string ListText(int id, int index) override { return at(id).lines.at(index); }
  void ListInsert(int id, int index, const std::string& text) override {
    auto& lines = at(id).lines;
    lines.insert(index < 0 ? lines.end() : lines.begin() + index, text);
  }
  void ListAppend(int id, const std::string& text) override { at(id).lines.push_back(text); }
  void ListDelete(int id, int index) override {
    auto& c = at(id);
    c.lines.erase(c.lines.begin() + index);
    c.selection = -1;
  }
  void ListClear(int id) override {
    at(id).lines.clear();
    at(id).selection = -1;
  }
  int ListSelection(int id) override { return at(id).selection; }
  void ListShowLast(int) override { ++showLastCalls; }
  bool ListShowsLast(int) override { return listAtBottom; }
  void ListSetTip(int, int index, const std::string& text) override { tips[index] = text; }
  MessageResult MessageBox(const std::string& text, MessageButtons buttons) override {
    messages.push_back(text);
    if (buttons == MessageButtons::kOk || answers.empty()) return MessageResult::kOk;
    const MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> PickFolder() override;
  std::string PickProfileFile(FileDialogMode mode, const std::string& initialName, const std::string&) override;
  OpenResult OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return openResult;
  }
  bool OpenAddress(const std::string& address) override {
    opened.push_back(address);
    return openResult == OpenResult::kOpened;
  }
  void RunFilterDialog(CFilterDlg& dialog) override {
    ++filterDialogs;
    if (onFilterDialog) onFilterDialog(dialog);
  }
  void RunAboutDialog(CAboutDlg& dialog) override {
    ++aboutDialogs;
    if (onAboutDialog) onAboutDialog(dialog);
  }
  void SetRecentProfiles(std::span<const std::string> texts) override { recentMenu.assign(texts.begin(), texts.end()); }
  void SetWindowIcon() override { iconSet = true; }
  void SetTitle(const std::string& text) override { title = text; }
  void SetProgress(std::size_t processed, std::size_t listed, const std::string& text) override {
    progress = {processed, listed};
    progressText = text;
  }
  bool AppendSystemMenuItem(int id, const std::string& text) override {
    if (!hasSystemMenu) return false;
    systemMenu.emplace_back(id, text);
    return true;
  }
  bool CreateToolBar(std::span<const int> buttons) override {
    if (toolBarFails) return false;
    toolBar.assign(buttons.begin(), buttons.end());
    return true;
  }
  void SetBrowseBitmap() override { browseBitmap = true; }
  int RunModal(WindowCommands& commands) override {
    if (userSession) userSession(commands);
    return endedWith.value_or(-1);
  }
  void EndModal(int result) override { endedWith = result; }
  void PumpEvents() override {
    ++pumps;
    while (!pendingEvents.empty()) {
      auto event = std::move(pendingEvents.front());
      pendingEvents.pop_front();
      event();
    }
  }
};

// A filter dialog view over two row lists.
class FakeFilterView : public FilterView {
 public:
  std::map<int, bool> checks;
  std::map<int, std::string> edits;
  std::map<int, std::vector<std::string>> rows;
  std::map<int, std::vector<int>> selected;
  std::vector<std::string> messages;
  std::optional<int> endedWith;

  bool IsChecked(int id) override { return checks[id]; }
  void SetChecked(int id, bool checked) override { checks[id] = checked; }
  std::string GetText(int id) override { return edits[id]; }
  int RowCount(int id) override { return static_cast<int>(rows[id].size()); }
  std::string RowText(int id, int row) override { return rows[id].at(row); }
  void InsertRow(int id, int row, const std::string& text) override { rows[id].insert(rows[id].begin() + row, text); }
  void DeleteAllRows(int id) override {
    rows[id].clear();
    selected[id].clear();
  }
  std::vector<int> SelectedRows(int id) override { return selected[id]; }
  void RedrawNow(int) override {}
  void MessageBox(const std::string& text) override { messages.push_back(text); }
  void EndDialog(int result) override { endedWith = result; }
};

}  // namespace pagelark::ui::test
