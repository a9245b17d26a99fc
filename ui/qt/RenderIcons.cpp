// pagelark-render-icons DIR: draws the program icon (ui/qt/Artwork.cpp) at
// the sizes of the desktop's icon theme into DIR as pagelark-SIZE.png, the
// files the install takes from dist/icons/ (tools/render-icons.sh writes
// them there).
// pagelark-render-icons --check DIR: exit 0 when the PNG files in DIR hold
// the icon as it is drawn now, pixel for pixel; each one that differs or is
// missing is named on standard error.
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <array>
#include <cstdio>
#include <cstring>

#include "ui/qt/Artwork.h"

namespace {

constexpr std::array<int, 6> kSizes = {16, 32, 48, 64, 128, 256};

QString IconFile(const QString& folder, int size) { return folder + QStringLiteral("/pagelark-%1.png").arg(size); }

bool Write(const QString& folder, int size) {
  const QString path = IconFile(folder, size);
  if (pagelark::ui::art::ProgramIcon(size).save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

bool Matches(const QString& folder, int size) {
  const QString path = IconFile(folder, size);
  const QImage drawn = pagelark::ui::art::ProgramIcon(size).convertToFormat(QImage::Format_ARGB32);
  if (QImage(path).convertToFormat(QImage::Format_ARGB32) == drawn) return true;
  std::fprintf(stderr, "%s is missing or differs from the icon drawn now (run tools/render-icons.sh)\n",
               qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: pagelark-render-icons [--check] DIR\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[argc - 1]);
  bool ok = true;
  for (int size : kSizes) ok = (check ? Matches(folder, size) : Write(folder, size)) && ok;
  return ok ? 0 : 1;
}
