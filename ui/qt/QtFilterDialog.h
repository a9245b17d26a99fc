// The filter dialog's Qt view.
#pragma once

#include <QDialog>

#include "ui/FilterDlg.h"
#include "ui/FilterView.h"
#include "ui/qt/ControlFactory.h"

class QTableWidget;

namespace pagelark::ui {

class QtFilterDialog final : public QDialog, public FilterView {
  Q_OBJECT

 public:
  // Builds the controls and lets `logic` fill them.
  QtFilterDialog(CFilterDlg& logic, QWidget* owner);

  QWidget* Control(int controlId) const;

  // FilterView.
  bool IsChecked(int controlId) override;
  void SetChecked(int controlId, bool checked) override;
  std::string GetText(int controlId) override;
  int RowCount(int listId) override;
  std::string RowText(int listId, int row) override;
  void InsertRow(int listId, int row, const std::string& text) override;
  void DeleteAllRows(int listId) override;
  std::vector<int> SelectedRows(int listId) override;
  void RedrawNow(int listId) override;
  void MessageBox(const std::string& text) override;
  void EndDialog(int result) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTableWidget* Table(int listId) const;

  CFilterDlg& logic_;
  ControlMap controls_;
};

}  // namespace pagelark::ui
