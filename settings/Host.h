// The narrow interface between the engine and whoever runs it: the window, the
// headless front end, or a test. The engine reads every setting through
// CurrentSettings() at the moment it uses it, so a change made during a run
// (the window pumps its events between steps) takes effect at the next test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/CrawlSettings.h"

namespace pagelark {

// The setting fields the engine can point the user at: the start command
// gives the focus to an empty or refused one.
enum class SettingField { kStartUrl, kDownloadFolder, kCounterFrom, kCounterTo, kCounterStep };

struct RunProgress {
  std::size_t processed = 0;  // candidates done
  std::size_t listed = 0;     // candidates listed, and the start URLs still to list
  std::uint64_t bytes = 0;    // the bodies of the whole answers taken so far
};

class Host {
 public:
  virtual ~Host() = default;

  // The settings as they stand now. The reference holds until the next call.
  virtual const CrawlSettings& CurrentSettings() = 0;

  // Puts a whole profile into the front end (the window writes its controls
  // and applies its enabling rules).
  virtual void ApplySettings(const CrawlSettings& settings) = 0;

  // The run records the local form of its start page here (the indexFile
  // field, which the window keeps beside its controls).
  virtual void SetIndexFile(const std::string& indexFile) = 0;

  // Progress list: append a line, read the lines back.
  virtual void AppendLine(const std::string& line) = 0;
  virtual int LineCount() = 0;
  virtual std::string Line(int index) = 0;
  virtual void ClearLines() = 0;
  // Why list line `index` (a failure line just appended) failed: a short
  // ASCII text such as "HTTP 404" or "timed out", for a front end that shows
  // it beside the line. The line itself reads as it always does.
  virtual void NoteLineReason(int /*index*/, const std::string& /*reason*/) {}

  // How far the run is, for a front end that shows a bar and a rate; called
  // as each candidate is taken and once at the end.
  virtual void ReportProgress(const RunProgress& /*progress*/) {}

  // Status line under the progress list (repainted at once).
  virtual void SetStatus(const std::string& text) = 0;

  // A modal message box with an OK button, captioned with the program name.
  virtual void ShowMessage(const std::string& text) = 0;
  // The message that ends a run; a window may offer the run's folder with it.
  virtual void ShowRunEnd(const std::string& text) { ShowMessage(text); }

  // Gives the keyboard focus to a setting's field; `counter` (0 for @a@ to 5
  // for @f@) picks the row of a counter field. No-op without a window.
  virtual void FocusField(SettingField field, int counter) = 0;

  // Dispatches pending window events; nothing to do without a window.
  virtual void PumpMessages() = 0;
};

}  // namespace pagelark
