#include "design.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

QFont FontOf(const QStringList& families, qreal points, QFont::Weight weight) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setWeight(weight);
  return font;
}

}  // namespace

QFont DialogFont(qreal points, QFont::Weight weight) {
  return FontOf({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"}, points, weight);
}

QFont HeavyFont(qreal points) {
  return FontOf({"Arial Black", "Liberation Sans", "DejaVu Sans"}, points, QFont::Black);
}

QFont ArrowFont(qreal points) {
  return FontOf({"DejaVu Sans", "Liberation Sans"}, points, QFont::Bold);
}

void SetUpFixedWindow(QWidget* window, const QString& caption, QSize clientSize) {
  window->setWindowTitle(caption);
  window->setFont(DialogFont());
  window->setFixedSize(clientSize);
}

void CentreOn(QWidget* window, const QWidget* owner) {
  const QRect area = owner && owner->isVisible() ? owner->frameGeometry()
                                                 : window->screen()->availableGeometry();
  QRect frame = window->frameGeometry();
  frame.moveCenter(area.center());
  window->move(frame.topLeft());
}
