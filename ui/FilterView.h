// What the filter dialog's logic needs of a toolkit: two check boxes, two
// edits and two list views in report mode with several rows selectable.
#pragma once

#include <string>
#include <vector>

namespace pagelark::ui {

class FilterView {
 public:
  virtual ~FilterView() = default;

  virtual bool IsChecked(int controlId) = 0;
  virtual void SetChecked(int controlId, bool checked) = 0;
  virtual std::string GetText(int controlId) = 0;

  virtual int RowCount(int listId) = 0;
  virtual std::string RowText(int listId, int row) = 0;
  virtual void InsertRow(int listId, int row, const std::string& text) = 0;
  virtual void DeleteAllRows(int listId) = 0;
  // The selected rows, in ascending order.
  virtual std::vector<int> SelectedRows(int listId) = 0;
  // Erases and repaints the list view now.
  virtual void RedrawNow(int listId) = 0;

  virtual void MessageBox(const std::string& text) = 0;
  virtual void EndDialog(int result) = 0;
};

}  // namespace pagelark::ui
