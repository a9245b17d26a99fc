// The headless front end's side of the engine: progress lines go to standard
// output in UTF-8, message boxes to standard error, and the status line is a
// live line on standard error when that is a terminal. Ctrl-C during a run
// asks the run to stop, as the window's stop command does.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "settings/Host.h"

namespace pagelark::cli {

class CliHost : public Host {
 public:
  CliHost(std::FILE* out, std::FILE* err);
  ~CliHost() override;

  const CrawlSettings& CurrentSettings() override { return settings_; }
  void ApplySettings(const CrawlSettings& settings) override { settings_ = settings; }
  void SetIndexFile(const std::string& indexFile) override { settings_.indexFile = indexFile; }

  // The lines are counted; their texts are kept only while the settings ask
  // for the run log, the one reader of Line: a long run's lines need not
  // stay in memory once printed.
  void AppendLine(const std::string& line) override;
  int LineCount() override { return lineCount_; }
  std::string Line(int index) override;
  void ClearLines() override;
  // With ShowReasons on: "    (reason)" on the line after the failure line.
  void NoteLineReason(int index, const std::string& reason) override;
  void ShowReasons(bool show) { showReasons_ = show; }

  void SetStatus(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  void FocusField(SettingField, int) override {}
  // Passes a Ctrl-C on to `onInterrupt`, once.
  void PumpMessages() override;

  void OnInterrupt(std::function<void()> stop) { onInterrupt_ = std::move(stop); }
  int MessageCount() const { return messageCount_; }

 private:
  void ClearStatusLine();
  void DrawStatusLine();
  void FlushLines();

  static constexpr std::chrono::milliseconds kFlushInterval{100};

  std::FILE* out_;
  std::FILE* err_;
  bool liveStatus_;
  bool linesToTerminal_;
  std::chrono::steady_clock::time_point lastFlush_{};
  bool showReasons_ = false;
  bool statusShown_ = false;
  std::string status_;
  int messageCount_ = 0;
  bool interruptPassed_ = false;
  std::function<void()> onInterrupt_;
  CrawlSettings settings_;
  int lineCount_ = 0;
  std::vector<std::string> lines_;  // with the run log on: every line, by index
};

// The line as the terminal gets it: UTF-8, with CR, LF and NUL written as
// "\r", "\n" and "\0" so that one line stays one line.
std::string TerminalText(const std::string& line);

}  // namespace pagelark::cli
