#include "ui/FilterDlg.h"

#include "messages/WindowTexts.h"
#include "ui/ControlIds.h"

namespace pagelark::ui {

void CFilterDlg::OnInitDialog(FilterView& view) {
  view_ = &view;
  view_->SetChecked(id::kUseEnableList, initial_.useEnableList);
  view_->SetChecked(id::kUseDisableList, initial_.useDisableList);
  Fill(id::kEnableList, initial_.enableUrls);
  Fill(id::kDisableList, initial_.disableUrls);
}

void CFilterDlg::Fill(int listId, const std::vector<std::string>& rows) {
  view_->DeleteAllRows(listId);
  for (std::size_t i = 0; i < rows.size(); ++i) view_->InsertRow(listId, static_cast<int>(i), rows[i]);
}

void CFilterDlg::OnAddEnableUrl() { AddRow(id::kEnableEdit, id::kEnableList); }
void CFilterDlg::OnDeleteEnableUrl() { DeleteSelectedRows(id::kEnableList); }
void CFilterDlg::OnAddDisableUrl() { AddRow(id::kDisableEdit, id::kDisableList); }
void CFilterDlg::OnDeleteDisableUrl() { DeleteSelectedRows(id::kDisableList); }

void CFilterDlg::OnEnterKey(int controlId) {
  if (controlId == id::kEnableEdit) return OnAddEnableUrl();
  if (controlId == id::kDisableEdit) return OnAddDisableUrl();
  OnOK();
}

void CFilterDlg::OnCommand(int controlId) {
  switch (controlId) {
    case id::kAddEnable:
      return OnAddEnableUrl();
    case id::kDeleteEnable:
      return OnDeleteEnableUrl();
    case id::kAddDisable:
      return OnAddDisableUrl();
    case id::kDeleteDisable:
      return OnDeleteDisableUrl();
    case id::kOk:
      return OnOK();
    case id::kCancel:
      return OnCancel();
    default:
      return;
  }
}

// The text goes in as typed: an empty text or a repeated one is a row too,
// and the edit keeps its text.
void CFilterDlg::AddRow(int editId, int listId) {
  view_->InsertRow(listId, view_->RowCount(listId), view_->GetText(editId));
}

// Every selected row goes; the others keep their order. Works for lists of
// any length.
void CFilterDlg::DeleteSelectedRows(int listId) {
  const std::vector<int> selected = view_->SelectedRows(listId);
  if (selected.empty()) {
    view_->MessageBox(kMsgNoRowSelected);
    return;
  }
  const std::vector<std::string> rows = Rows(listId);
  std::vector<bool> marked(rows.size(), false);
  for (int row : selected) {
    if (row >= 0 && static_cast<std::size_t>(row) < rows.size()) marked[row] = true;
  }
  view_->DeleteAllRows(listId);
  int next = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!marked[i]) view_->InsertRow(listId, next++, rows[i]);
  }
  view_->RedrawNow(listId);
}

std::vector<std::string> CFilterDlg::Rows(int listId) {
  std::vector<std::string> rows;
  const int count = view_->RowCount(listId);
  for (int i = 0; i < count; ++i) rows.push_back(view_->RowText(listId, i));
  return rows;
}

void CFilterDlg::OnOK() {
  owner_.enableUrls = Rows(id::kEnableList);
  owner_.disableUrls = Rows(id::kDisableList);
  owner_.useEnableList = view_->IsChecked(id::kUseEnableList);
  owner_.useDisableList = view_->IsChecked(id::kUseDisableList);
  view_->EndDialog(id::kOk);
}

void CFilterDlg::OnCancel() { view_->EndDialog(id::kCancel); }

}  // namespace pagelark::ui
