#include <QtTest>

#include <functional>

#include "about_window.h"
#include "keys_window.h"
#include "message_window.h"
#include "window_test_support.h"

// Every window's captions fit their boxes in whichever sans-serif face the
// system has: CTest also runs this with DejaVu as the only fonts.
class CaptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void fit_data() {
    QTest::addColumn<std::function<QWidget*()>>("open");
    QTest::newRow("main") << std::function<QWidget*()>([] {
      static RecordingStarter starter;
      return new frmNorvan(starter);
    });
    QTest::newRow("About") << std::function<QWidget*()>([] { return new frmAbout(nullptr); });
    QTest::newRow("Keys") << std::function<QWidget*()>([] { return new frmKeys(nullptr); });
    QTest::newRow("message") << std::function<QWidget*()>([] { return new frmWarning(nullptr); });
  }
  void fit() {
    QFETCH(std::function<QWidget*()>, open);
    GameFolder folder({"O2ROM.BIN", "a.bin"});
    std::unique_ptr<QWidget> window(open());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    ExpectCaptionsFit(window.get());
  }
};

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
