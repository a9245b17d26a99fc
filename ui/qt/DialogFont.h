// The dialogs' font and the dialog units it gives.
#pragma once

#include <QFont>

#include "ui/DialogUnits.h"

namespace pagelark::ui {

// "ＭＳ Ｐゴシック" 9 point, or the closest Japanese font the system has.
QFont DialogFont();

// Average character width and height of `font`, the base of dialog units.
BaseUnits BaseUnitsOf(const QFont& font);

}  // namespace pagelark::ui
