// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

// An option button or check box whose caption word-wraps when it is wider
// than the box: the window designs give "Right Keyboard" a box two lines high
// but too narrow for one. Qt's buttons draw their caption on one line and cut
// it off, so this paints the caption itself. It also keeps the caption as
// close to the indicator as Windows does, where the boxes were measured.
template <typename Button, QStyle::PrimitiveElement kIndicator, QStyle::SubElement kIndicatorRect>
class WrappingButton : public Button {
 public:
  using Button::Button;

  static constexpr int kCaptionFlags =
      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextWordWrap;

  // Where the caption is drawn, with kCaptionFlags.
  QRect CaptionRect() const {
    constexpr int kCaptionGap = 4;
    return Option().rect.adjusted(IndicatorRect().right() + 1 + kCaptionGap, 0, 0, 0);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    const QStyleOptionButton option = Option();
    QStyleOptionButton indicator = option;
    indicator.rect = IndicatorRect();
    painter.drawPrimitive(kIndicator, indicator);

    const QRect caption = CaptionRect();
    painter.drawItemText(caption, kCaptionFlags, option.palette, this->isEnabled(), option.text,
                         QPalette::WindowText);
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = painter.boundingRect(caption, kCaptionFlags, option.text).adjusted(-1, 0, 1, 0);
      painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
  }

 private:
  QStyleOptionButton Option() const {
    QStyleOptionButton option;
    this->initStyleOption(&option);
    return option;
  }
  QRect IndicatorRect() const {
    const QStyleOptionButton option = Option();
    return this->style()->subElementRect(kIndicatorRect, &option, this);
  }
};

using OptionButton =
    WrappingButton<QRadioButton, QStyle::PE_IndicatorRadioButton, QStyle::SE_RadioButtonIndicator>;
using WrappingCheckBox =
    WrappingButton<QCheckBox, QStyle::PE_IndicatorCheckBox, QStyle::SE_CheckBoxIndicator>;
