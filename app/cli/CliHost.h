// The headless front end's side of the engine: progress lines go to standard
// output in UTF-8, message boxes to standard error, and the status line is a
// live line on standard error when that is a terminal.
#pragma once

#include <cstdio>
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

  void AppendLine(const std::string& line) override;
  int LineCount() override { return static_cast<int>(lines_.size()); }
  std::string Line(int index) override;
  void ClearLines() override { lines_.clear(); }

  void SetStatus(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  void FocusControl(int) override {}
  void PumpMessages() override {}

  int MessageCount() const { return messageCount_; }

 private:
  void ClearStatusLine();

  std::FILE* out_;
  std::FILE* err_;
  bool liveStatus_;
  bool statusShown_ = false;
  std::string status_;
  int messageCount_ = 0;
  CrawlSettings settings_;
  std::vector<std::string> lines_;
};

}  // namespace pagelark::cli
