// The narrow interface between the engine and whoever runs it: the window, the
// headless front end, or a test. The engine reads every setting through
// CurrentSettings() at the moment it uses it, so a change made during a run
// (the window pumps its events between steps) takes effect at the next test.
#pragma once

#include <string>

#include "settings/CrawlSettings.h"

namespace pagelark {

// The window's IDs of the From, To and Step fields of counter i (0 for @a@
// to 5 for @f@): the start command gives the focus to an empty or refused
// one.
constexpr int CounterFromId(int counter) { return 1108 + 4 * counter; }
constexpr int CounterToId(int counter) { return CounterFromId(counter) + 1; }
constexpr int CounterStepId(int counter) { return CounterFromId(counter) + 2; }

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

  // Status line under the progress list (repainted at once).
  virtual void SetStatus(const std::string& text) = 0;

  // A modal message box with an OK button, captioned with the program name.
  virtual void ShowMessage(const std::string& text) = 0;

  // Gives the keyboard focus to a control (by its ID); no-op without a window.
  virtual void FocusControl(int controlId) = 0;

  // Dispatches pending window events; nothing to do without a window.
  virtual void PumpMessages() = 0;
};

}  // namespace pagelark
