// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <functional>

#include "about_window.h"
#include "keys_window.h"
#include "main_window.h"
#include "message_window.h"
#include "window_test_support.h"

// Every window's layout holds in whichever sans-serif face the system has:
// CTest also runs this with DejaVu as the only fonts, with and without its
// condensed faces.
class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void holds_data() {
    QTest::addColumn<std::function<QWidget*()>>("open");
    QTest::newRow("main") << std::function<QWidget*()>([] {
      static RecordingStarter starter;
      return new frmNorvan(starter);
    });
    QTest::newRow("About") << std::function<QWidget*()>([] { return new frmAbout(nullptr); });
    QTest::newRow("Keys") << std::function<QWidget*()>([] { return new frmKeys(nullptr); });
    QTest::newRow("message") << std::function<QWidget*()>([] { return new frmWarning(nullptr); });
  }
  void holds() {
    QFETCH(std::function<QWidget*()>, open);
    GameFolder folder({"O2ROM.BIN", "a.bin"});
    std::unique_ptr<QWidget> window(open());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    ExpectSoundLayout(window.get());
  }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
