// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "about_window.h"
#include "window_test_support.h"

class AboutWindowTest : public QObject {
  Q_OBJECT
  QPointer<frmAbout> window_;

 private slots:
  void cleanup() { delete window_; }

  // The design's texts, all in the window's 8-point font; a screen reader
  // names the picture and the click area too.
  void texts() {
    frmAbout window(nullptr);
    QCOMPARE(Find(&window, "lblAuthor")->property("text").toString(), "Created by Tarnwick");
    QCOMPARE(Find(&window, "lblCopyright")->property("text").toString(),
             "Free software by the Norvan team.\nPlease keep emulation free!\nIdeas welcome on "
             "the project page.");
    for (const QWidget* control : DesignControls(&window))
      QCOMPARE(std::pair(control->font().pointSizeF(), control->font().bold()),
               std::pair(8.0, false));
    ExpectEveryControlNamed(&window);
  }

  // Any click closes it, on a control or not; a key does nothing.
  void input_data() {
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("key");
    QTest::newRow("picture") << QPoint(480, 360) << 0;
    QTest::newRow("author") << QPoint(1800, 360) << 0;
    QTest::newRow("copyright") << QPoint(1500, 1260) << 0;
    QTest::newRow("separator") << QPoint(1500, 720) << 0;
    QTest::newRow("free area") << QPoint(3060, 1650) << 0;
    QTest::newRow("Esc") << QPoint() << int(Qt::Key_Escape);
  }
  void input() {
    QFETCH(QPoint, click);
    QFETCH(int, key);
    (window_ = new frmAbout(nullptr))->show();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QCOMPARE(window_->size(), QSize(3120, 1695) / 15.0);
    if (key) QTest::keyClick(window_->windowHandle(), Qt::Key(key));
    if (!key) QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, click / 15.0);
    QTRY_COMPARE(window_ && window_->isVisible(), bool(key));
  }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
