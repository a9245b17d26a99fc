#include "ui/CounterRows.h"

#include "ui/ControlIds.h"

namespace pagelark::ui {

bool IsCounterBox(int controlId) {
  return controlId >= id::kCounterBox && controlId < id::kCounterBox + id::kCounterRows;
}

void CounterRows::OnCounterCheck(int boxId) {
  if (!IsCounterBox(boxId)) return;
  const int row = boxId - id::kCounterBox;
  const bool enabled = view_.IsChecked(boxId);
  for (int edit : {id::CounterFrom(row), id::CounterTo(row), id::CounterStep(row)}) {
    view_.SetEnabled(edit, enabled);
  }
}

CounterSetting CounterRows::Read(int row) {
  return {view_.IsChecked(id::CounterBox(row)), view_.GetText(id::CounterFrom(row)), view_.GetText(id::CounterTo(row)),
          view_.GetText(id::CounterStep(row))};
}

void CounterRows::Write(int row, const CounterSetting& counter) {
  view_.SetChecked(id::CounterBox(row), counter.enabled);
  OnCounterCheck(id::CounterBox(row));
  view_.SetText(id::CounterFrom(row), counter.from);
  view_.SetText(id::CounterTo(row), counter.to);
  view_.SetText(id::CounterStep(row), counter.step);
}

}  // namespace pagelark::ui
