// A host that keeps only what a long run needs: the settings and the lines.
// For the large-site test and the crawl benchmark, where recording every
// status text would dominate.
#pragma once

#include <string>
#include <vector>

#include "settings/Host.h"

namespace pagelark::test {

class QuietHost : public Host {
 public:
  CrawlSettings settings;
  std::vector<std::string> lines;
  std::vector<std::string> messages;
  std::string status;

  const CrawlSettings& CurrentSettings() override { return settings; }
  void ApplySettings(const CrawlSettings& newSettings) override { settings = newSettings; }
  void SetIndexFile(const std::string& indexFile) override { settings.indexFile = indexFile; }
  void AppendLine(const std::string& line) override { lines.push_back(line); }
  int LineCount() override { return static_cast<int>(lines.size()); }
  std::string Line(int index) override { return lines.at(static_cast<std::size_t>(index)); }
  void ClearLines() override { lines.clear(); }
  void SetStatus(const std::string& text) override { status = text; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void FocusField(SettingField, int) override {}
  void PumpMessages() override {}
};

}  // namespace pagelark::test
