// The filter dialog: edits copies of the main window's enable and disable
// lists and their switches, and hands them back only on OK.
#pragma once

#include "ui/FilterView.h"
#include "ui/WindowState.h"

namespace pagelark::ui {

class CFilterDlg {
 public:
  // `owner` is the main window's copy, written only by OnOK.
  explicit CFilterDlg(FilterLists& owner) : owner_(owner), initial_(owner) {}

  // Fills the dialog's controls from the lists and switches as they were
  // when the dialog was made.
  void OnInitDialog(FilterView& view);

  void OnAddEnableUrl();
  void OnDeleteEnableUrl();
  void OnAddDisableUrl();
  void OnDeleteDisableUrl();
  // A button click by control ID (the four above, OK and Cancel).
  void OnCommand(int controlId);
  // Enter in a field: in a URL field it adds the typed URL to that field's
  // list; in any other it is OK.
  void OnEnterKey(int controlId);

  // Copies both lists and both switches back and ends the dialog.
  void OnOK();
  // Ends the dialog; nothing reaches the owner.
  void OnCancel();

 private:
  void Fill(int listId, const std::vector<std::string>& rows);
  void AddRow(int editId, int listId);
  void DeleteSelectedRows(int listId);
  std::vector<std::string> Rows(int listId);

  FilterLists& owner_;
  const FilterLists initial_;
  FilterView* view_ = nullptr;
};

}  // namespace pagelark::ui
