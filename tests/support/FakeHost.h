// A Host for tests: holds a settings record that tests edit, and records
// every call, in order, in `events` as well as in the list of its kind.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "settings/CrawlSettings.h"
#include "settings/Host.h"

namespace pagelark::test {

// A field the engine asked to focus.
struct FocusedField {
  SettingField field;
  int counter;
  bool operator==(const FocusedField&) const = default;
};

class FakeHost : public Host {
 public:
  CrawlSettings settings;  // what CurrentSettings() answers; ApplySettings replaces it
  std::vector<std::string> lines;
  std::vector<std::string> statuses;
  std::vector<std::string> messages;
  std::vector<FocusedField> focusedFields;
  std::vector<CrawlSettings> applied;
  std::vector<std::string> indexFiles;
  std::map<int, std::string> reasons;  // NoteLineReason's, by line (not in `events`)
  std::vector<RunProgress> progress;   // ReportProgress's (not in `events`)
  int pumpCount = 0;
  // "ApplySettings", "SetIndexFile <text>", "AppendLine <text>", "ClearLines",
  // "SetStatus <text>", "ShowMessage <text>", "FocusField <field> <counter>", "PumpMessages".
  std::vector<std::string> events;

  const CrawlSettings& CurrentSettings() override { return settings; }

  void ApplySettings(const CrawlSettings& newSettings) override {
    settings = newSettings;
    applied.push_back(newSettings);
    events.push_back("ApplySettings");
  }
  void SetIndexFile(const std::string& indexFile) override {
    settings.indexFile = indexFile;
    indexFiles.push_back(indexFile);
    events.push_back("SetIndexFile " + indexFile);
  }
  void AppendLine(const std::string& line) override {
    lines.push_back(line);
    events.push_back("AppendLine " + line);
  }
  int LineCount() override { return static_cast<int>(lines.size()); }
  std::string Line(int index) override {
    return index >= 0 && index < LineCount() ? lines[static_cast<std::size_t>(index)] : std::string();
  }
  void ClearLines() override {
    lines.clear();
    events.push_back("ClearLines");
  }
  void NoteLineReason(int index, const std::string& reason) override { reasons[index] = reason; }
  void ReportProgress(const RunProgress& report) override { progress.push_back(report); }
  void SetStatus(const std::string& text) override {
    statuses.push_back(text);
    events.push_back("SetStatus " + text);
  }
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    events.push_back("ShowMessage " + text);
  }
  void FocusField(SettingField field, int counter) override {
    focusedFields.push_back({field, counter});
    events.push_back("FocusField " + std::to_string(static_cast<int>(field)) + " " + std::to_string(counter));
  }
  void PumpMessages() override {
    ++pumpCount;
    events.push_back("PumpMessages");
  }
};

}  // namespace pagelark::test
