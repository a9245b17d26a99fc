#include "ui/qt/QtAboutDialog.h"

#include "ui/ControlIds.h"
#include "ui/Layout.h"
#include "ui/qt/ControlFactory.h"
#include "ui/qt/DialogFont.h"
#include "ui/qt/QtText.h"

namespace pagelark::ui {

QtAboutDialog::QtAboutDialog(CAboutDlg& logic, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  const DialogSpec& spec = AboutDialogSpec();
  setFont(DialogFont());
  setWindowTitle(ToQt(spec.caption));
  const BaseUnits base = BaseUnitsOf(font());
  BuildControls(spec, this, base, [this, &logic](int id) {
    if (id == id::kOk) accept();
    if (id == id::kAboutHomePage) logic.OnHomePage();
  });
  LetFocusedButtonTakeEnter(this);
  setFixedSize(DluToPixelsX(spec.width, base), DluToPixelsY(spec.height, base));
}

}  // namespace pagelark::ui
