#include "ui/qt/ControlFactory.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <algorithm>

#include "ui/ControlIds.h"
#include "ui/qt/Artwork.h"
#include "ui/qt/QtText.h"

namespace pagelark::ui {
namespace {

constexpr int kListViewColumnWidth = 650;

QString Caption(const ControlSpec& spec) { return spec.caption != nullptr ? ToQt(spec.caption) : QString(); }

QWidget* MakeButton(const ControlSpec& spec, QWidget* parent) {
  auto* button = new QPushButton(Caption(spec), parent);
  button->setAutoDefault(false);
  button->setDefault((spec.style & kStyleDefaultButton) != 0);
  button->setFlat((spec.style & kStyleFlat) != 0);
  return button;
}

QWidget* MakeLabel(const ControlSpec& spec, QWidget* parent) {
  auto* label = new QLabel(Caption(spec), parent);
  // Texts from the run (URLs, paths) are shown as they are, never as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* MakeListBox(const ControlSpec& spec, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSortingEnabled(false);
  list->setUniformItemSizes(true);
  const Qt::ScrollBarPolicy policy =
      (spec.style & kStyleScrollBars) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  list->setHorizontalScrollBarPolicy(policy);
  return list;
}

// Report mode with one column, grid lines, whole rows selected, several rows
// selectable, and the selection shown also without focus.
QWidget* MakeListView(const ControlSpec& spec, QWidget* parent) {
  auto* table = new QTableWidget(0, 1, parent);
  table->setHorizontalHeaderLabels({Caption(spec)});
  table->horizontalHeaderItem(0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table->horizontalHeader()->setStretchLastSection(false);
  table->setColumnWidth(0, kListViewColumnWidth);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  table->setShowGrid(true);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  return table;
}

QWidget* MakeIcon(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setPixmap(QPixmap::fromImage(art::ProgramIcon(32)));
  label->setFixedSize(32, 32);
  return label;
}

QWidget* MakeWidget(const ControlSpec& spec, QWidget* parent) {
  switch (spec.kind) {
    case ControlKind::kEdit:
      return new QLineEdit(parent);
    case ControlKind::kPushButton:
      return MakeButton(spec, parent);
    case ControlKind::kCheckBox:
      return new QCheckBox(Caption(spec), parent);
    case ControlKind::kRadioButton: {
      auto* radio = new QRadioButton(Caption(spec), parent);
      radio->setAutoExclusive(false);
      return radio;
    }
    case ControlKind::kGroupBox:
      return new QGroupBox(Caption(spec), parent);
    case ControlKind::kStatic:
      return MakeLabel(spec, parent);
    case ControlKind::kIcon:
      return MakeIcon(parent);
    case ControlKind::kListBox:
      return MakeListBox(spec, parent);
    case ControlKind::kListView:
      return MakeListView(spec, parent);
  }
  return nullptr;
}

void Place(QWidget* widget, const ControlSpec& spec, BaseUnits base) {
  const PixelRect r = ToPixels(spec.rect, base);
  if (spec.rect.width == 0) {
    widget->adjustSize();
    widget->move(r.x, r.y);
  } else {
    widget->setGeometry(r.x, r.y, r.width, r.height);
  }
}

void ForwardClicks(QWidget* widget, int controlId, const std::function<void(int)>& onClick) {
  auto* button = qobject_cast<QAbstractButton*>(widget);
  if (button == nullptr || controlId == id::kNoId) return;
  auto* radio = qobject_cast<QRadioButton*>(widget);
  QObject::connect(button, &QAbstractButton::clicked, button, [radio, controlId, onClick] {
    if (radio != nullptr) radio->setChecked(true);
    onClick(controlId);
  });
}

}  // namespace

ControlMap BuildControls(const DialogSpec& dialog, QWidget* parent, BaseUnits base,
                         const std::function<void(int)>& onClick) {
  ControlMap controls;
  for (const ControlSpec& spec : dialog.controls) {
    QWidget* widget = MakeWidget(spec, parent);
    Place(widget, spec, base);
    if (spec.kind == ControlKind::kGroupBox) widget->lower();
    ForwardClicks(widget, spec.id, onClick);
    if (spec.id != id::kNoId) {
      widget->setObjectName(QStringLiteral("control%1").arg(spec.id));
      controls[spec.id] = widget;
    }
  }
  return controls;
}

namespace {

class EnterKeyFilter final : public QObject {
 public:
  EnterKeyFilter(int controlId, std::function<void(int)> onEnter, QObject* owner)
      : QObject(owner), controlId_(controlId), onEnter_(std::move(onEnter)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
    if (!plain || (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)) return false;
    onEnter_(controlId_);
    return true;
  }

 private:
  int controlId_;
  std::function<void(int)> onEnter_;
};

class StretchFilter final : public QObject {
 public:
  StretchFilter(QWidget* panel, QWidget* grows, const std::vector<QWidget*>& below)
      : QObject(panel), panel_(panel), grows_(grows), growsBase_(grows->geometry()) {
    for (QWidget* widget : below) below_.emplace_back(widget, widget->geometry());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == panel_ && event->type() == QEvent::Resize) Apply();
    return QObject::eventFilter(watched, event);
  }

 private:
  void Apply() {
    const int dx = std::max(0, panel_->width() - panel_->minimumWidth());
    const int dy = std::max(0, panel_->height() - panel_->minimumHeight());
    grows_->setGeometry(growsBase_.adjusted(0, 0, dx, dy));
    for (const auto& [widget, base] : below_) widget->setGeometry(base.translated(0, dy).adjusted(0, 0, dx, 0));
  }

  QWidget* panel_;
  QWidget* grows_;
  QRect growsBase_;
  std::vector<std::pair<QWidget*, QRect>> below_;
};

}  // namespace

void StretchLayout(QWidget* panel, QWidget* grows, std::vector<QWidget*> below) {
  panel->installEventFilter(new StretchFilter(panel, grows, below));
}

void TakeEnterInFields(const ControlMap& controls, QObject* owner, std::function<void(int)> onEnter) {
  for (const auto& [controlId, widget] : controls) {
    if (qobject_cast<QLineEdit*>(widget) != nullptr) {
      widget->installEventFilter(new EnterKeyFilter(controlId, onEnter, owner));
    }
  }
}

void InstallFieldMnemonics(const ControlMap& controls, QWidget* window, std::span<const FieldMnemonic> mnemonics) {
  for (const FieldMnemonic& mnemonic : mnemonics) {
    const auto it = controls.find(mnemonic.field);
    if (it == controls.end()) continue;
    QWidget* field = it->second;
    const QString keys = QString::fromStdString(MnemonicTip(mnemonic.letter));
    field->setToolTip(keys);
    auto* shortcut = new QShortcut(QKeySequence(keys), window);
    QObject::connect(shortcut, &QShortcut::activated, field, [field] { field->setFocus(Qt::ShortcutFocusReason); });
  }
}

void LetFocusedButtonTakeEnter(QWidget* dialog) {
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) button->setAutoDefault(true);
}

}  // namespace pagelark::ui
