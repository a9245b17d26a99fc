#include "ui/DialogUnits.h"

namespace pagelark::ui {
namespace {

// a * b / c rounded to the nearest integer, for non-negative values.
int MulDivRounded(int a, int b, int c) { return (a * b + c / 2) / c; }

}  // namespace

int AverageCharWidth(int extentOfAlphabet) { return (extentOfAlphabet / 26 + 1) / 2; }

int DluToPixelsX(int dlu, BaseUnits base) { return MulDivRounded(dlu, base.cx, 4); }

int DluToPixelsY(int dlu, BaseUnits base) { return MulDivRounded(dlu, base.cy, 8); }

PixelRect ToPixels(const DluRect& rect, BaseUnits base) {
  return {DluToPixelsX(rect.x, base), DluToPixelsY(rect.y, base), DluToPixelsX(rect.width, base),
          DluToPixelsY(rect.height, base)};
}

}  // namespace pagelark::ui
