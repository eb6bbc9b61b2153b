// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

// The window designs measure in twips: 1440 to the inch, so 15 to a pixel at
// 96 dpi. Qt's own high-DPI scaling takes the pixels on from there, like any
// Qt program's.
constexpr int TwipsToPixels(int twips) {
  return (2 * twips + 15) / 30;
}  // to the nearest pixel

struct Twips {
  int left, top, width, height;
};

inline QRect ToPixels(const Twips& t) {
  return {TwipsToPixels(t.left), TwipsToPixels(t.top), TwipsToPixels(t.width),
          TwipsToPixels(t.height)};
}

inline QSize ToPixels(int widthTwips, int heightTwips) {
  return {TwipsToPixels(widthTwips), TwipsToPixels(heightTwips)};
}
