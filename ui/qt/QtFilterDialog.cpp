#include "ui/qt/QtFilterDialog.h"

#include <QAbstractButton>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QTableWidget>
#include <algorithm>

#include "ui/Layout.h"
#include "ui/qt/DialogFont.h"
#include "ui/qt/HatchedBackground.h"
#include "ui/qt/QtShell.h"
#include "ui/qt/QtText.h"

namespace pagelark::ui {

QtFilterDialog::QtFilterDialog(CFilterDlg& logic, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      logic_(logic) {
  const DialogSpec& spec = FilterDialogSpec();
  setFont(DialogFont());
  setWindowTitle(ToQt(spec.caption));
  const BaseUnits base = BaseUnitsOf(font());
  controls_ = BuildControls(spec, this, base, [this](int id) { logic_.OnCommand(id); });
  LetFocusedButtonTakeEnter(this);
  TakeEnterInFields(controls_, this, [this](int id) { logic_.OnEnterKey(id); });
  setFixedSize(DluToPixelsX(spec.width, base), DluToPixelsY(spec.height, base));
  logic_.OnInitDialog(*this);
}

QWidget* QtFilterDialog::Control(int controlId) const {
  const auto it = controls_.find(controlId);
  return it == controls_.end() ? nullptr : it->second;
}

QTableWidget* QtFilterDialog::Table(int listId) const { return qobject_cast<QTableWidget*>(Control(listId)); }

bool QtFilterDialog::IsChecked(int controlId) {
  auto* button = qobject_cast<QAbstractButton*>(Control(controlId));
  return button != nullptr && button->isChecked();
}

void QtFilterDialog::SetChecked(int controlId, bool checked) {
  if (auto* button = qobject_cast<QAbstractButton*>(Control(controlId))) button->setChecked(checked);
}

std::string QtFilterDialog::GetText(int controlId) {
  auto* edit = qobject_cast<QLineEdit*>(Control(controlId));
  return edit == nullptr ? std::string() : FromQt(edit->text());
}

int QtFilterDialog::RowCount(int listId) {
  QTableWidget* table = Table(listId);
  return table == nullptr ? 0 : table->rowCount();
}

std::string QtFilterDialog::RowText(int listId, int row) {
  QTableWidget* table = Table(listId);
  if (table == nullptr || table->item(row, 0) == nullptr) return {};
  return FromQt(table->item(row, 0)->text());
}

void QtFilterDialog::InsertRow(int listId, int row, const std::string& text) {
  QTableWidget* table = Table(listId);
  if (table == nullptr) return;
  row = std::clamp(row, 0, table->rowCount());
  table->insertRow(row);
  auto* item = new QTableWidgetItem(ToQt(text));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  table->setItem(row, 0, item);
}

void QtFilterDialog::DeleteAllRows(int listId) {
  if (QTableWidget* table = Table(listId)) table->setRowCount(0);
}

std::vector<int> QtFilterDialog::SelectedRows(int listId) {
  std::vector<int> rows;
  QTableWidget* table = Table(listId);
  if (table == nullptr) return rows;
  for (const QModelIndex& index : table->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void QtFilterDialog::RedrawNow(int listId) {
  if (QTableWidget* table = Table(listId); table != nullptr && table->isVisible()) table->viewport()->repaint();
}

void QtFilterDialog::MessageBox(const std::string& text) { ShowMessageBox(this, text, MessageButtons::kOk); }

void QtFilterDialog::EndDialog(int result) { done(result); }

void QtFilterDialog::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  PaintHatch(painter, event->rect());
}

}  // namespace pagelark::ui
