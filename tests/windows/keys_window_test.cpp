#include <QRawFont>
#include <QtTest>

#include "design.h"
#include "keys_window.h"
#include "window_test_support.h"

class KeysWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The design in tab order: twips, and the font (points, then " bold") where it is not
  // the window's 8 points.
  void controls_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("font");
    auto row = [](const char* name, const char* caption, QRect twips, const char* font = "8") {
      QTest::newRow(name) << caption << twips << font;
    };
    row("cmdOK", "OK", {4920, 3120, 1215, 495});
    row("lblLeftKeys", "Left Keyboard Controls:", {285, 120, 2445, 240}, "9.75 bold");
    row("lblRightKeys", "Right Keyboard Controls:", {3510, 120, 2625, 240}, "9.75 bold");
    row("lblLeftUp", "W", {1305, 480, 525, 555}, "24 bold");
    row("lblLeftDown", "X", {1345, 2160, 375, 555}, "24 bold");
    row("lblLeftLeft", "A", {555, 1320, 375, 555}, "24 bold");
    row("lblLeftRight", "D", {2220, 1320, 405, 555}, "24 bold");
    row("lblLeftFire", "Left Shift", {1230, 1320, 675, 585}, "12 bold");
    row("lblRightFire", "Right Shift", {4395, 1320, 675, 585}, "12 bold");
    row("lblRightRight", "\u2192", {5325, 1320, 525, 525}, "24 bold");
    row("lblRightLeft", "\u2190", {3645, 1320, 525, 525}, "24 bold");
    row("lblRightDown", "\u2193", {4560, 2160, 345, 525}, "24 bold");
    row("lblRightUP", "\u2191", {4560, 480, 345, 525}, "24 bold");
    // Two blanks after "O2EM", as designed.
    row("lblEmuKeys", "ESC - Exit O2EM  F4 - Enter Debugger F5 - Reset Emulator",
        {240, 3000, 1455, 615});
    row("lblDebugKey", "Pressing H in the debug mode brings up help.", {2040, 3000, 1335, 615});
  }
  void controls() {
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(QString, font);
    frmKeys window(nullptr);
    QWidget* control = Find(&window, QTest::currentDataTag());
    // QPoint and QSize divide to the nearest pixel.
    QCOMPARE(control->geometry(), QRect(twips.topLeft() / 15.0, twips.size() / 15.0));
    QCOMPARE(control->property("text").toString(), caption);
    const QFont f = control->font();
    QCOMPARE(QString::number(f.pointSizeF()) + (f.bold() ? " bold" : ""), font);
    // The font really used has each character, so the arrows do not show as boxes.
    for (QChar ch : caption) QVERIFY(QRawFont::fromFont(f).supportsCharacter(ch));
    ExpectEveryControlNamed(&window);
  }

  void window() {
    QPointer<frmKeys> keys = new frmKeys(nullptr);
    keys->show();
    QVERIFY(QTest::qWaitForWindowActive(keys));
    QCOMPARE(keys->windowTitle(), "Keys- Norvan");
    QCOMPARE(keys->size(), QSize(6375, 3765) / 15.0);
    // The key list shows one key a line whatever widths the font has, all in its box.
    auto* list = Find<KeyListLabel>(keys, "lblEmuKeys");
    QCOMPARE(list->Lines().join('\n'), "ESC - Exit O2EM\nF4 - Enter Debugger\nF5 - Reset Emulator");
    QVERIFY(3 * list->fontMetrics().lineSpacing() <= list->height());
    // "OK" has the focus and keeps it on Tab; Esc does nothing; Enter closes (unloads) it.
    QTest::keySequence(keys->windowHandle(), QKeySequence(Qt::Key_Tab, Qt::Key_Escape));
    QVERIFY(keys && keys->isVisible() && QApplication::focusWidget() == Find(keys, "cmdOK"));
    QTest::keyClick(keys->windowHandle(), Qt::Key_Return);
    QTRY_VERIFY(!keys);
  }
};

QTEST_MAIN(KeysWindowTest)
#include "keys_window_test.moc"
