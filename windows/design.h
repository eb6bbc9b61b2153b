// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "twips.h"

class QDialog;

// Fonts and window settings the designs share.

// The designs' "MS Sans Serif" at `points`: on Windows its TrueType twin,
// elsewhere the nearest plain sans-serif, Liberation Sans, then DejaVu Sans.
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

// A control's caption as it must fit: the text in `box`, with Qt's text
// `flags` (the box and flags it is drawn with, but for what a design keeps
// on one line).
struct DrawnCaption {
  QString text;
  QRect box;
  int flags = 0;
};

// The caption of a label, button or frame; an empty text for other controls.
DrawnCaption DrawnCaptionOf(const QWidget* control);

// Whether `caption` shows whole in `font`: on one line, or wrapped where it
// may wrap, no line wider than the box and the lines within its height.
bool CaptionFits(const DrawnCaption& caption, const QFont& font);

// Where a caption of `window` does not fit its box, because the system's face
// is wider than the design's, takes the face's condensed variant where it has
// one, then ever smaller sizes, for all of the window's fonts alike, until
// every caption fits. The design's face and sizes stay wherever they fit.
void FitCaptions(QWidget* window);

// Centres `window` on its screen. (A dialog centres itself on its owner.)
void CentreOnScreen(QWidget* window);

// The secondary windows' frame: a dialog of its owner, so it has no taskbar
// entry of its own, with a title bar, a system menu and a close button but no
// minimize, maximize or context-help button; fixed in size like any design.
void SetUpOwnedDialog(QDialog* window, const QString& caption, QSize clientSize);

// `control`, named and placed as its design says (twips).
template <typename Control>
Control* Placed(Control* control, const char* name, const Twips& twips) {
  control->setObjectName(name);
  control->setGeometry(ToPixels(twips));
  return control;
}

// The designs' system colour roles on Qt's palette. Qt has no roles for them,
// so each takes the role whose colour it has in the classic desktop scheme:
// the scroll-bar grey is the button face, the application-workspace grey is
// the 3D shadow (Dark) and the title-bar-text white is the 3D highlight
// (Light). An engraved separator, a thick workspace line with a thin
// title-text line along it, so stays a groove with any palette.
constexpr QPalette::ColorRole kScrollBarColour = QPalette::Button;
constexpr QPalette::ColorRole kAppWorkspaceColour = QPalette::Dark;
constexpr QPalette::ColorRole kTitleBarTextColour = QPalette::Light;
constexpr QPalette::ColorRole kWindowTextColour = QPalette::WindowText;

// A design line: horizontal or vertical (the only kind the windows have),
// from one end point to the other in twips, both ends included, `pixels`
// wide across its middle, in the palette colour `role`. It takes no clicks:
// a click on a line belongs to what lies under it.
class DesignLine : public QWidget {
 public:
  DesignLine(QWidget* parent, const char* name, QPoint fromTwips, QPoint toTwips, int pixels,
             QPalette::ColorRole role);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPalette::ColorRole role_;
};

// A label with the designs' Click event: the left button pressed on it and
// released over it.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A label for a list of keys, "KEY - action" entries one after the other,
// that shows each entry on a line of its own, left-aligned from the top.
// Word wrap would break the list wherever the font's widths happen to fall:
// with a font a little wider than the design's, "F4" ends up at the end of
// the first line. An entry too wide for the box is narrowed to fit rather
// than cut off. text() stays the list exactly as given.
class KeyListLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // The lines as shown, top to bottom.
  QStringList Lines() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
