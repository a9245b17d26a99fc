// Dialog units: positions in the window's tables are given in units of the
// dialog font, a quarter of its average character width across and an eighth
// of its height down, so the layout follows the font.
#pragma once

#include "ui/Layout.h"

namespace pagelark::ui {

// The font's average character width and height in pixels.
struct BaseUnits {
  int cx;
  int cy;
};

// Average width as the dialog manager takes it: the extent of "A".."Z" and
// "a".."z" (52 characters) over 26, plus one, halved.
int AverageCharWidth(int extentOfAlphabet);

struct PixelRect {
  int x;
  int y;
  int width;
  int height;

  bool operator==(const PixelRect&) const = default;
};

int DluToPixelsX(int dlu, BaseUnits base);
int DluToPixelsY(int dlu, BaseUnits base);
PixelRect ToPixels(const DluRect& rect, BaseUnits base);

}  // namespace pagelark::ui
