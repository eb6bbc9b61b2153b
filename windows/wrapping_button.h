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

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    this->initStyleOption(&option);
    QStyleOptionButton indicator = option;
    indicator.rect = this->style()->subElementRect(kIndicatorRect, &option, this);
    painter.drawPrimitive(kIndicator, indicator);

    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextWordWrap;
    constexpr int kCaptionGap = 4;
    const QRect contents = option.rect.adjusted(indicator.rect.right() + 1 + kCaptionGap, 0, 0, 0);
    painter.drawItemText(contents, flags, option.palette, this->isEnabled(), option.text,
                         QPalette::WindowText);
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = painter.boundingRect(contents, flags, option.text).adjusted(-1, 0, 1, 0);
      painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
  }
};

using OptionButton =
    WrappingButton<QRadioButton, QStyle::PE_IndicatorRadioButton, QStyle::SE_RadioButtonIndicator>;
using WrappingCheckBox =
    WrappingButton<QCheckBox, QStyle::PE_IndicatorCheckBox, QStyle::SE_CheckBoxIndicator>;
