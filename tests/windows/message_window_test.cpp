#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "launch.h"
#include "message_window.h"
#include "window_lifetime.h"
#include "window_test_support.h"

namespace {

QRect FromTwips(const QRect& t) {
  return {qRound(t.x() / 15.0), qRound(t.y() / 15.0), qRound(t.width() / 15.0),
          qRound(t.height() / 15.0)};
}

enum class Way { Ok, Enter, KeypadEnter, Esc, EscInTextBox, EnterInTextBox, TitleBar };

}  // namespace

class MessageWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    owner_ = new QWidget;
    owner_->setGeometry(100, 100, 500, 300);
    owner_->show();
    WarningMessage = kNoGameRefusal;
  }
  void cleanup() {
    delete window_;
    delete owner_;
  }

  void controls_data() {
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("boldAndUnderlined");
    QTest::newRow("cmdWarning") << QRect(1680, 1560, 1215, 495) << "MS Sans Serif" << 8.0 << false;
    QTest::newRow("lblWarning") << QRect(945, 0, 2805, 675) << "Arial Black" << 24.0 << true;
    QTest::newRow("txtWarning") << QRect(360, 840, 3975, 495) << "MS Sans Serif" << 9.75 << false;
  }
  void controls() {
    QFETCH(QRect, twips);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, boldAndUnderlined);
    frmWarning window(owner_);
    const QWidget* control = Find(&window, QTest::currentDataTag());
    QCOMPARE(control->geometry(), FromTwips(twips));
    const QFont font = control->font();
    QCOMPARE(font.families().value(0), family);
    QVERIFY(
        QStringList({family, "Liberation Sans", "DejaVu Sans"}).contains(QFontInfo(font).family()));
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), boldAndUnderlined);
    QCOMPARE(font.underline(), boldAndUnderlined);
  }

  void window() {
    ShowSingleInstance(window_, owner_);
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QCOMPARE(window_->windowTitle(), "Warning-Norvan");
    QCOMPARE(window_->size(), FromTwips({0, 0, 4695, 2160}).size());
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QCOMPARE(window_->windowType(), Qt::Dialog);
    QVERIFY(!(window_->windowFlags() &
              (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
    QVERIFY(
        (window_->frameGeometry().center() - owner_->frameGeometry().center()).manhattanLength() <=
        2);
    QCOMPARE(Find<QPushButton>(window_, "cmdWarning")->text(), "Ok");
    auto* title = Find<QLabel>(window_, "lblWarning");
    QCOMPARE(title->text(), "Warning!!!");
    QVERIFY(title->alignment() & Qt::AlignHCenter);
    QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());
    // "Ok" holds the focus, then comes the text box, and round again.
    for (const char* name : {"cmdWarning", "txtWarning", "cmdWarning"}) {
      QCOMPARE(QApplication::focusWidget(), Find(window_, name));
      QTest::keyClick(window_->windowHandle(), Qt::Key_Tab);
    }
  }

  // Shown again while open, it only comes forward and keeps the earlier text,
  // which fits its box.
  void keepsTheTextOfItsLoad() {
    frmWarning* first = ShowSingleInstance(window_, owner_);
    WarningMessage = kSystemRomRefusal;
    QCOMPARE(ShowSingleInstance(window_, owner_), first);
    auto* text = Find<QLineEdit>(first, "txtWarning");
    QCOMPARE(text->text(), kNoGameRefusal);
    QVERIFY(text->fontMetrics().horizontalAdvance(kNoGameRefusal) < text->width() - 8);
  }

  void closes_data() {
    QTest::addColumn<Way>("way");
    QTest::newRow("Ok") << Way::Ok;
    QTest::newRow("Enter") << Way::Enter;
    QTest::newRow("keypad Enter") << Way::KeypadEnter;
    QTest::newRow("Esc") << Way::Esc;
    QTest::newRow("Enter in the text box") << Way::EnterInTextBox;
    QTest::newRow("Esc in the text box") << Way::EscInTextBox;
    QTest::newRow("title bar") << Way::TitleBar;
  }
  // Every way of closing unloads it: the next refusal loads the new text.
  void closes() {
    QFETCH(Way, way);
    ShowSingleInstance(window_, owner_);
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QWindow* handle = window_->windowHandle();
    if (way == Way::EnterInTextBox || way == Way::EscInTextBox)
      QTest::keyClick(handle, Qt::Key_Tab);
    if (way == Way::Ok) QTest::mouseClick(Find(window_, "cmdWarning"), Qt::LeftButton);
    if (way == Way::Enter || way == Way::EnterInTextBox) QTest::keyClick(handle, Qt::Key_Return);
    if (way == Way::KeypadEnter) QTest::keyClick(handle, Qt::Key_Enter, Qt::KeypadModifier);
    if (way == Way::Esc || way == Way::EscInTextBox) QTest::keyClick(handle, Qt::Key_Escape);
    if (way == Way::TitleBar) window_->close();
    QTRY_VERIFY(!window_);
    WarningMessage = kSystemRomRefusal;
    ShowSingleInstance(window_, owner_);
    QCOMPARE(Find<QLineEdit>(window_, "txtWarning")->text(), kSystemRomRefusal);
  }

  void staysOpenAfterTheMainWindowCloses() {
    ShowSingleInstance(window_, owner_);
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    owner_->close();
    QTest::qWait(10);
    QVERIFY(window_ && window_->isVisible());
  }

 private:
  QWidget* owner_ = nullptr;
  QPointer<frmWarning> window_;
};

QTEST_MAIN(MessageWindowTest)
#include "message_window_test.moc"
