// The six counter rows (@a@ .. @f@): a check box and the From, To and Step
// edits that it enables.
#pragma once

#include "settings/CrawlSettings.h"
#include "ui/WindowView.h"

namespace pagelark::ui {

class CounterRows {
 public:
  explicit CounterRows(WindowView& view) : view_(view) {}

  // Box `boxId` (1200..1205) was clicked: its row's edits follow the box.
  void OnCounterCheck(int boxId);

  CounterSetting Read(int row);
  // Sets the box and the edits, then greys or enables the row.
  void Write(int row, const CounterSetting& counter);

 private:
  WindowView& view_;
};

// True for the IDs of the six counter boxes.
bool IsCounterBox(int controlId);

}  // namespace pagelark::ui
