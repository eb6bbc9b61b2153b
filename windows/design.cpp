#include "design.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
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
  // Windows' "MS Sans Serif" is a bitmap font, which Qt does not draw; its
  // TrueType twin "Microsoft Sans Serif" has been on every Windows since 2000.
  return FontOf({"Microsoft Sans Serif", "MS Sans Serif", "Liberation Sans", "DejaVu Sans"}, points,
                weight);
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

void CentreOnScreen(QWidget* window) {
  QRect frame = window->frameGeometry();
  frame.moveCenter(window->screen()->availableGeometry().center());
  window->move(frame.topLeft());
}

void SetUpOwnedDialog(QDialog* window, const QString& caption, QSize clientSize) {
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  SetUpFixedWindow(window, caption, clientSize);
}

DesignLine::DesignLine(QWidget* parent, const char* name, QPoint fromTwips, QPoint toTwips,
                       int pixels, QPalette::ColorRole role)
    : QWidget(parent), role_(role) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  const QPoint from(TwipsToPixels(fromTwips.x()), TwipsToPixels(fromTwips.y()));
  const QPoint to(TwipsToPixels(toTwips.x()), TwipsToPixels(toTwips.y()));
  QRect line(QPoint(qMin(from.x(), to.x()), qMin(from.y(), to.y())),
             QPoint(qMax(from.x(), to.x()), qMax(from.y(), to.y())));
  // An even width leans down or right of the middle.
  const int before = (pixels - 1) / 2, after = pixels / 2;
  if (line.height() == 1) {
    line.adjust(0, -before, 0, after);
  } else {
    line.adjust(-before, 0, after, 0);
  }
  setGeometry(line);
}

void DesignLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(role_));
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Click();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

QStringList KeyListLabel::Lines() const {
  const QStringList words = text().simplified().split(' ', Qt::SkipEmptyParts);
  QStringList lines;
  for (qsizetype i = 0; i < words.size(); ++i) {
    const bool entryStarts = i + 1 < words.size() && words[i + 1] == "-";
    if (entryStarts || lines.isEmpty()) {
      lines.append(words[i]);
    } else {
      lines.last() += ' ' + words[i];
    }
  }
  return lines;
}

void KeyListLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  const QFontMetrics metrics(font());
  const QRect box = contentsRect();
  int top = box.top();
  for (const QString& line : Lines()) {
    const int natural = metrics.horizontalAdvance(line);
    painter.save();
    painter.translate(box.left(), top);
    if (natural > box.width()) painter.scale(qreal(box.width()) / natural, 1);
    painter.drawText(QPoint(0, metrics.ascent()), line);
    painter.restore();
    top += metrics.lineSpacing();
  }
}
