// Builds the widgets of a dialog table at their places: dialog units turned
// into pixels by the font's base units. Nothing is laid out afterwards, so
// resizing a window never moves its controls.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "ui/DialogUnits.h"
#include "ui/Layout.h"

namespace pagelark::ui {

// Widgets by control ID (labels and group boxes have none and are not listed).
using ControlMap = std::map<int, QWidget*>;

// Creates every control of `dialog` as a child of `parent`. `onClick` gets the
// ID of each push button, check box and radio button that the user clicks.
// Radio buttons behave as the dialog's own: a click checks the button and
// nothing else; the window logic sets its partner.
ControlMap BuildControls(const DialogSpec& dialog, QWidget* parent, BaseUnits base,
                         const std::function<void(int)>& onClick);

// Alt and each mnemonic's letter give the focus to its field, whose tooltip
// tells the keys ("Alt+U").
void InstallFieldMnemonics(const ControlMap& controls, QWidget* window, std::span<const FieldMnemonic> mnemonics);

// In a modal dialog, Enter presses the push button that has the focus, and
// the default button when the focus is elsewhere.
void LetFocusedButtonTakeEnter(QWidget* dialog);

// Gives the room a panel has beyond its minimum size to `grows` (wider and
// taller) and moves each of `below` down and wider by as much; the other
// controls keep their places. Owned by the panel.
void StretchLayout(QWidget* panel, QWidget* grows, std::vector<QWidget*> below);

// Enter in a single-line field goes to `onEnter` with the field's ID and no
// further: the dialog never sees it, so it cannot end the dialog.
void TakeEnterInFields(const ControlMap& controls, QObject* owner, std::function<void(int)> onEnter);

}  // namespace pagelark::ui
