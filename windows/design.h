#pragma once

#include <QFont>
#include <QString>

class QWidget;

// Fonts and window settings the designs share.

// The designs' "MS Sans Serif" at `points`; where that font is missing (it is
// a Windows bitmap font), the nearest plain sans-serif: Liberation Sans, then
// DejaVu Sans.
QFont DialogFont(qreal points = 8, QFont::Weight weight = QFont::Normal);

// "Arial Black", or the heaviest Liberation Sans where it is missing.
QFont HeavyFont(qreal points);

// A font that has the four arrows U+2190 to U+2193. The designs' "Symbol" is
// a symbol character set whose codes only mean arrows in that font; showing
// the Unicode arrows from a font that has them keeps them arrows everywhere.
QFont ArrowFont(qreal points);

// Makes `window` a fixed-size window whose client area is `clientSize`
// pixels, with the design's font and caption.
void SetUpFixedWindow(QWidget* window, const QString& caption, QSize clientSize);

// Centres `window` on `owner`'s frame, or on the screen without an owner.
void CentreOn(QWidget* window, const QWidget* owner);
