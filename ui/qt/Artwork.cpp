#include "ui/qt/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "ui/ControlIds.h"

namespace pagelark::ui::art {
namespace {

const QColor kOutline(60, 60, 70);
const QColor kPaper(252, 252, 248);
const QColor kFolder(240, 196, 80);
const QColor kFolderDark(204, 152, 40);
const QColor kGreen(40, 160, 70);
const QColor kRed(210, 50, 45);
const QColor kBlue(45, 110, 200);

// A transparent square image with a painter scaled so that shapes are drawn
// on a 32 by 32 grid whatever the size.
class Canvas {
 public:
  explicit Canvas(int size) : image_(size, size, QImage::Format_ARGB32_Premultiplied) {
    image_.fill(Qt::transparent);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.scale(size / 32.0, size / 32.0);
  }
  QPainter& p() { return painter_; }
  QImage Finish() {
    painter_.end();
    return image_;
  }

 private:
  QImage image_;
  QPainter painter_;
};

void Pen(QPainter& p, const QColor& color, double width = 1.5) {
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A sheet of paper with a folded corner.
void Page(QPainter& p, const QRectF& r) {
  const double fold = r.width() * 0.3;
  QPolygonF sheet;
  sheet << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold) << r.bottomRight()
        << r.bottomLeft();
  Pen(p, kOutline);
  p.setBrush(kPaper);
  p.drawPolygon(sheet);
  QPolygonF corner;
  corner << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
         << QPointF(r.right(), r.top() + fold);
  p.setBrush(QColor(220, 220, 215));
  p.drawPolygon(corner);
}

void Folder(QPainter& p, const QRectF& r, bool open) {
  Pen(p, kOutline);
  QPainterPath back;
  back.moveTo(r.left(), r.bottom());
  back.lineTo(r.left(), r.top() + 2);
  back.lineTo(r.left() + r.width() * 0.35, r.top() + 2);
  back.lineTo(r.left() + r.width() * 0.45, r.top() + 5);
  back.lineTo(r.right(), r.top() + 5);
  back.lineTo(r.right(), r.bottom());
  back.closeSubpath();
  p.setBrush(kFolderDark);
  p.drawPath(back);
  QPolygonF front;
  if (open) {
    front << QPointF(r.left() + 4, r.top() + 10) << QPointF(r.right() + 2, r.top() + 10)
          << QPointF(r.right(), r.bottom()) << QPointF(r.left(), r.bottom());
  } else {
    front << QPointF(r.left(), r.top() + 8) << QPointF(r.right(), r.top() + 8) << QPointF(r.right(), r.bottom())
          << QPointF(r.left(), r.bottom());
  }
  p.setBrush(kFolder);
  p.drawPolygon(front);
}

// A thick arrow pointing down, its tip at `tip`.
void DownArrow(QPainter& p, QPointF tip, double width, double height, const QColor& color) {
  const double shaft = width * 0.4;
  const double head = height * 0.45;
  QPolygonF arrow;
  arrow << tip << QPointF(tip.x() - width / 2, tip.y() - head) << QPointF(tip.x() - shaft / 2, tip.y() - head)
        << QPointF(tip.x() - shaft / 2, tip.y() - height) << QPointF(tip.x() + shaft / 2, tip.y() - height)
        << QPointF(tip.x() + shaft / 2, tip.y() - head) << QPointF(tip.x() + width / 2, tip.y() - head);
  Pen(p, color.darker(140), 1.2);
  p.setBrush(color);
  p.drawPolygon(arrow);
}

void Glyph(QPainter& p, const QRectF& r, const QString& text, const QColor& color, double pixelSize) {
  QFont font;
  font.setBold(true);
  font.setPixelSize(static_cast<int>(pixelSize));
  p.setFont(font);
  p.setPen(color);
  p.drawText(r, Qt::AlignCenter, text);
}

QImage NewImage() {
  Canvas c(32);
  Page(c.p(), QRectF(6, 3, 19, 26));
  // A small spark in the corner: something new.
  Pen(c.p(), QColor(230, 160, 0), 2);
  for (const QLineF& ray : {QLineF(24, 20, 24, 30), QLineF(19, 25, 29, 25), QLineF(20.5, 21.5, 27.5, 28.5),
                            QLineF(20.5, 28.5, 27.5, 21.5)}) {
    c.p().drawLine(ray);
  }
  return c.Finish();
}

QImage OpenImage() {
  Canvas c(32);
  Folder(c.p(), QRectF(3, 7, 24, 20), true);
  return c.Finish();
}

QImage SaveImage() {
  Canvas c(32);
  QPainter& p = c.p();
  Pen(p, kOutline);
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(8, 4, 16, 10));
  p.setBrush(QColor(200, 200, 205));
  p.drawRect(QRectF(9, 19, 14, 9));
  p.setBrush(kOutline);
  p.drawRect(QRectF(18, 21, 3, 5));
  return c.Finish();
}

QImage ExitImage() {
  Canvas c(32);
  QPainter& p = c.p();
  Pen(p, kOutline);
  p.setBrush(QColor(150, 100, 60));
  p.drawRect(QRectF(5, 4, 14, 24));
  p.setBrush(QColor(230, 210, 120));
  p.drawEllipse(QPointF(16, 16), 1.3, 1.3);
  // An arrow leaving through the door.
  Pen(p, kRed, 3);
  p.drawLine(QPointF(14, 16), QPointF(27, 16));
  p.drawLine(QPointF(22, 11), QPointF(27, 16));
  p.drawLine(QPointF(22, 21), QPointF(27, 16));
  return c.Finish();
}

QImage StartImage() {
  Canvas c(32);
  QPainter& p = c.p();
  // A tray receiving a green arrow.
  Pen(p, kOutline);
  p.setBrush(QColor(190, 195, 205));
  QPolygonF tray;
  tray << QPointF(3, 20) << QPointF(9, 20) << QPointF(11, 24) << QPointF(21, 24) << QPointF(23, 20) << QPointF(29, 20)
       << QPointF(29, 29) << QPointF(3, 29);
  p.drawPolygon(tray);
  DownArrow(p, QPointF(16, 22), 16, 19, kGreen);
  return c.Finish();
}

QImage StopImage() {
  Canvas c(32);
  QPainter& p = c.p();
  QPolygonF octagon;
  const double a = 6.5;
  octagon << QPointF(a + 3, 3) << QPointF(29 - a, 3) << QPointF(29, a + 3) << QPointF(29, 29 - a) << QPointF(29 - a, 29)
          << QPointF(a + 3, 29) << QPointF(3, 29 - a) << QPointF(3, a + 3);
  Pen(p, kRed.darker(150));
  p.setBrush(kRed);
  p.drawPolygon(octagon);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(8, 14, 16, 4));
  return c.Finish();
}

QImage ShowHtmlImage() {
  Canvas c(32);
  QPainter& p = c.p();
  // A browser window showing a page.
  Pen(p, kOutline);
  p.setBrush(kPaper);
  p.drawRect(QRectF(3, 5, 26, 22));
  p.setBrush(kBlue);
  p.drawRect(QRectF(3, 5, 26, 5));
  Glyph(p, QRectF(3, 11, 26, 15), QStringLiteral("</>"), kGreen.darker(120), 10);
  return c.Finish();
}

QImage HelpImage() {
  Canvas c(32);
  QPainter& p = c.p();
  Pen(p, kBlue.darker(140));
  p.setBrush(kBlue);
  p.drawEllipse(QRectF(3, 3, 26, 26));
  Glyph(p, QRectF(3, 3, 26, 26), QStringLiteral("?"), Qt::white, 20);
  return c.Finish();
}

QImage HomePageImage() {
  Canvas c(32);
  QPainter& p = c.p();
  Pen(p, kOutline);
  p.setBrush(kPaper);
  p.drawRect(QRectF(7, 15, 18, 13));
  QPolygonF roof;
  roof << QPointF(3, 16) << QPointF(16, 4) << QPointF(29, 16);
  p.setBrush(kRed);
  p.drawPolygon(roof);
  p.setBrush(QColor(150, 100, 60));
  p.drawRect(QRectF(14, 20, 5, 8));
  return c.Finish();
}

}  // namespace

QImage ProgramIcon(int size) {
  Canvas c(size);
  QPainter& p = c.p();
  // A globe with a page coming down from it.
  Pen(p, kBlue.darker(150));
  p.setBrush(QColor(120, 180, 235));
  p.drawEllipse(QRectF(2, 2, 22, 22));
  Pen(p, kBlue.darker(150), 1.2);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(8, 2, 10, 22));
  p.drawLine(QPointF(2, 13), QPointF(24, 13));
  p.drawLine(QPointF(4, 7.5), QPointF(22, 7.5));
  p.drawLine(QPointF(4, 18.5), QPointF(22, 18.5));
  Page(p, QRectF(17, 13, 13, 17));
  DownArrow(p, QPointF(23.5, 28), 8, 11, kGreen);
  return c.Finish();
}

QIcon ProgramIconSet() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(QPixmap::fromImage(ProgramIcon(size)));
  return icon;
}

QImage BrowseFolder(int size) {
  Canvas c(size);
  Folder(c.p(), QRectF(2, 5, 27, 22), false);
  return c.Finish();
}

QImage ToolbarImage(int commandId) {
  switch (commandId) {
    case id::kToolNew:
      return NewImage();
    case id::kToolOpen:
      return OpenImage();
    case id::kToolSave:
      return SaveImage();
    case id::kToolExit:
      return ExitImage();
    case id::kToolStart:
      return StartImage();
    case id::kToolStop:
      return StopImage();
    case id::kToolShowHtml:
      return ShowHtmlImage();
    case id::kToolHelp:
      return HelpImage();
    case id::kToolHomePage:
      return HomePageImage();
    default:
      return {};
  }
}

}  // namespace pagelark::ui::art
