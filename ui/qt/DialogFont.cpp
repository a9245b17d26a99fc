#include "ui/qt/DialogFont.h"

#include <QFontMetrics>
#include <QStringList>

namespace pagelark::ui {

QFont DialogFont() {
  QFont font;
  font.setFamilies({QStringLiteral("\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans")});
  font.setPointSize(9);
  return font;
}

BaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int extent = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {AverageCharWidth(extent), metrics.height()};
}

}  // namespace pagelark::ui
