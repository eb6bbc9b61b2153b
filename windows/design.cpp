// SPDX-License-Identifier: GPL-3.0-or-later
#include "design.h"

#include <QDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionGroupBox>
#include <QTextLayout>
#include <QWidget>

#include <utility>

#include "wrapping_button.h"

namespace {

QFont FontOf(const QStringList& families, qreal points, QFont::Weight weight) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setWeight(weight);
  return font;
}

template <typename Button>
DrawnCaption WrappingCaption(const Button* button) {
  return {button->text(), button->CaptionRect(), Button::kCaptionFlags};
}

// The title starts where the style puts it and must end as far from the
// frame's right edge.
DrawnCaption FrameCaption(const QGroupBox* frame) {
  QStyleOptionGroupBox option;
  option.initFrom(frame);
  option.text = frame->title();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const QRect title =
      frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
  const QRect box(title.left(), title.top(), frame->width() - 2 * title.left(), title.height());
  return {frame->title(), box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic};
}

// The widest line's ink and the number of lines of `caption` in `font`. Ink,
// not advance: an arrow's advance is far wider than the arrow.
std::pair<int, int> WidestLineAndLines(const DrawnCaption& caption, const QFont& font) {
  QString text = caption.text;
  if (caption.flags & Qt::TextShowMnemonic) text.remove('&');
  text.replace('\n', QChar::LineSeparator);
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode((caption.flags & Qt::TextWordWrap) ? QTextOption::WordWrap
                                                        : QTextOption::ManualWrap);
  layout.setTextOption(option);
  const QFontMetrics metrics(font);
  int widest = 0, lines = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines) {
    line.setLineWidth(caption.box.width());
    const QString shown = text.mid(line.textStart(), line.textLength()).trimmed();
    widest = qMax(widest, metrics.tightBoundingRect(shown).width());
  }
  layout.endLayout();
  return {widest, lines};
}

bool AllCaptionsFit(const QWidget* window) {
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    const DrawnCaption caption = DrawnCaptionOf(control);
    if (!control->isHidden() && !caption.text.isEmpty() && !CaptionFits(caption, control->font()))
      return false;
  }
  return true;
}

// `font` at `scale` times its size, condensed where its face has a condensed
// variant of its own (Qt would squeeze any other face's letters instead).
QFont Narrowed(const QFont& font, qreal scale) {
  QFont narrowed = font;
  narrowed.setStretch(QFont::SemiCondensed);
  if (QFontInfo(narrowed).styleName() == QFontInfo(font).styleName()) narrowed = font;
  narrowed.setPointSizeF(font.pointSizeF() * scale);
  return narrowed;
}

}  // namespace

DrawnCaption DrawnCaptionOf(const QWidget* control) {
  if (auto* list = dynamic_cast<const KeyListLabel*>(control)) {
    // Its lines narrow themselves to its width: only its height counts.
    QRect box = list->contentsRect();
    box.setWidth(QWIDGETSIZE_MAX);
    return {list->Lines().join('\n'), box, Qt::AlignLeft | Qt::AlignTop};
  }
  if (auto* label = qobject_cast<const QLabel*>(control)) {
    const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
    return {label->text(), label->contentsRect(), int(label->alignment()) | wrap};
  }
  if (auto* option = dynamic_cast<const OptionButton*>(control)) return WrappingCaption(option);
  if (auto* box = dynamic_cast<const WrappingCheckBox*>(control)) {
    DrawnCaption caption = WrappingCaption(box);
    caption.flags &= ~Qt::TextWordWrap;  // the designs' check boxes hold one line
    return caption;
  }
  if (auto* button = qobject_cast<const QPushButton*>(control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect box =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return {button->text(), box, Qt::AlignCenter | Qt::TextShowMnemonic};
  }
  if (auto* frame = qobject_cast<const QGroupBox*>(control)) return FrameCaption(frame);
  return {};
}

// Only the room above the first line's capitals, kept for accents, may be
// cut: two lines of the designs' own font overfill their option boxes by a
// pixel too.
bool CaptionFits(const DrawnCaption& caption, const QFont& font) {
  const auto [widest, lines] = WidestLineAndLines(caption, font);
  const QFontMetricsF metrics(font);
  const qreal height = lines * metrics.lineSpacing() - (metrics.ascent() - metrics.capHeight());
  return widest <= caption.box.width() && height <= caption.box.height();
}

void FitCaptions(QWidget* window) {
  if (AllCaptionsFit(window)) return;
  // The fonts as set: the window's, which the other controls take on, and
  // those set on a control of their own.
  QList<std::pair<QWidget*, QFont>> fonts = {{window, window->font()}};
  for (QWidget* control : window->findChildren<QWidget*>())
    if (control->testAttribute(Qt::WA_SetFont)) fonts.append({control, control->font()});
  for (int percent = 100; percent >= 70; percent -= 5) {
    for (const auto& [control, font] : fonts) control->setFont(Narrowed(font, percent / 100.0));
    if (AllCaptionsFit(window)) return;
  }
}

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
