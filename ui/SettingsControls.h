// Where each setting lives on the main window: the text fields, the check
// boxes, the GET and POST pair, and (through their editors) the file kinds
// and the counter rows. Reading gives the settings as the controls hold them
// at that moment; writing puts a whole profile into the controls and applies
// the enabling rules.
#pragma once

#include "settings/CrawlSettings.h"
#include "ui/CounterRows.h"
#include "ui/KindEditor.h"
#include "ui/WindowState.h"
#include "ui/WindowView.h"

namespace pagelark::ui {

class SettingsControls {
 public:
  SettingsControls(WindowView& view, WindowState& state);

  CrawlSettings Read();
  void Write(const CrawlSettings& settings);

  // GET clicked: POST shows the opposite of GET. POST clicked: the reverse.
  void OnGet();
  void OnPost();

  KindEditor& kinds() { return kinds_; }
  CounterRows& counters() { return counters_; }

 private:
  RequestMethod ReadMethod();
  void WriteMethod(RequestMethod method);

  WindowView& view_;
  WindowState& state_;
  KindEditor kinds_;
  CounterRows counters_;
};

}  // namespace pagelark::ui
