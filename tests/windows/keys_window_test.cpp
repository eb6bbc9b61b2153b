// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QRawFont>
#include <QtTest>

#include "design.h"
#include "keys_window.h"
#include "window_test_support.h"

class KeysWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The right card's arrows are arrows (not the Latin signs their symbol-font
  // codes stand for), in a font that really has them.
  void arrowsAreArrows() {
    frmKeys window(nullptr);
    const std::pair<const char*, QChar> arrows[] = {{"lblRightUP", u'\u2191'},
                                                    {"lblRightDown", u'\u2193'},
                                                    {"lblRightLeft", u'\u2190'},
                                                    {"lblRightRight", u'\u2192'}};
    for (const auto& [name, arrow] : arrows) {
      auto* label = Find<QLabel>(&window, name);
      QCOMPARE(label->text(), QString(arrow));
      QVERIFY(QRawFont::fromFont(label->font()).supportsCharacter(arrow));
    }
    ExpectEveryControlNamed(&window);
  }

  void window() {
    QPointer<frmKeys> keys = new frmKeys(nullptr);
    keys->show();
    QVERIFY(QTest::qWaitForWindowActive(keys));
    QCOMPARE(keys->size(), QSize(6375, 3765) / 15.0);
    // The key list shows one key a line whatever widths the font has.
    auto* list = Find<KeyListLabel>(keys, "lblEmuKeys");
    QCOMPARE(list->Lines().join('\n'), "ESC - Exit O2EM\nF4 - Enter Debugger\nF5 - Reset Emulator");
    // "OK" has the focus and keeps it on Tab; Esc does nothing; Enter closes (unloads) it.
    QTest::keySequence(keys->windowHandle(), QKeySequence(Qt::Key_Tab, Qt::Key_Escape));
    QVERIFY(keys && keys->isVisible() && QApplication::focusWidget() == Find(keys, "cmdOK"));
    QTest::keyClick(keys->windowHandle(), Qt::Key_Return);
    QTRY_VERIFY(!keys);
  }
};

QTEST_MAIN(KeysWindowTest)
#include "keys_window_test.moc"
