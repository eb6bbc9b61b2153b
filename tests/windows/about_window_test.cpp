#include <QtTest>

#include "about_window.h"
#include "window_test_support.h"

class AboutWindowTest : public QObject {
  Q_OBJECT
  QPointer<frmAbout> window_;

 private slots:
  void cleanup() { delete window_; }

  // The design (twips), all in the window's 8-point font. Nothing in it takes the focus.
  void controls_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Image1") << "" << QRect(240, 120, 480, 480);
    QTest::newRow("lblAuthor") << "Created by Tarnwick" << QRect(960, 240, 1815, 255);
    QTest::newRow("lblCopyright") << "Free software by the Norvan team.\nPlease keep emulation "
                                     "free!\nIdeas welcome on the project page."
                                  << QRect(120, 960, 2895, 615);
  }
  void controls() {
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    frmAbout window(nullptr);
    QWidget* label = Find(&window, QTest::currentDataTag());
    QCOMPARE(label->geometry(), QRect(twips.topLeft() / 15.0, twips.size() / 15.0));
    QCOMPARE(label->property("text").toString(), caption);
    QCOMPARE(std::pair(label->font().pointSizeF(), label->font().bold()), std::pair(8.0, false));
    ExpectEveryControlNamed(&window);
  }

  // Any click closes it, on a control or not; Esc and Enter do nothing.
  void input_data() {
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("key");
    QTest::newRow("picture") << QPoint(480, 360) << 0;
    QTest::newRow("author") << QPoint(1800, 360) << 0;
    QTest::newRow("copyright") << QPoint(1500, 1260) << 0;
    QTest::newRow("separator") << QPoint(1500, 720) << 0;
    QTest::newRow("free area") << QPoint(3060, 1650) << 0;
    QTest::newRow("Esc") << QPoint() << int(Qt::Key_Escape);
    QTest::newRow("Enter") << QPoint() << int(Qt::Key_Return);
  }
  void input() {
    QFETCH(QPoint, click);
    QFETCH(int, key);
    (window_ = new frmAbout(nullptr))->show();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QCOMPARE(window_->windowTitle(), "About-Norvan ver 0.65.3");
    QCOMPARE(window_->size(), QSize(3120, 1695) / 15.0);
    if (key) QTest::keyClick(window_->windowHandle(), Qt::Key(key));
    if (!key) QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, click / 15.0);
    QTRY_COMPARE(window_ && window_->isVisible(), bool(key));
  }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
