#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <functional>

#include "about_window.h"
#include "app_icon.h"
#include "window_test_support.h"

namespace {

int Px(int twips) {
  return qRound(twips / 15.0);
}

QPoint Px(int x, int y) {
  return {Px(x), Px(y)};
}

}  // namespace

class AboutWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    owner_ = new QWidget;
    owner_->setGeometry(100, 100, 500, 300);
    owner_->show();
  }
  void cleanup() { delete owner_; }

  void layout() {
    frmAbout window(owner_);
    QCOMPARE(window.windowTitle(), "About-Norvan ver 0.65.3");
    QCOMPARE(window.size(), QSize(Px(3120), Px(1695)));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(
        !(window.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
    const struct {
      const char* name;
      int left, top, width, height, lines;
    } design[] = {
        {"Image1", 240, 120, 480, 480, 0},
        {"lblAuthor", 960, 240, 1815, 255, 1},
        {"lblCopyright", 120, 960, 2895, 615, 3},
    };
    for (const auto& c : design) {
      auto* label = Find<QLabel>(&window, c.name);
      QCOMPARE(label->geometry(), QRect(Px(c.left), Px(c.top), Px(c.width), Px(c.height)));
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
      QCOMPARE(label->font().families().value(0), "MS Sans Serif");
      QVERIFY(QStringList({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"})
                  .contains(QFontInfo(label->font()).family()));
      QCOMPARE(label->font().pointSizeF(), 8.0);
      QVERIFY(!label->font().bold());
      // Each line shows whole, left-aligned.
      const QStringList lines = label->text().split('\n', Qt::SkipEmptyParts);
      QCOMPARE(lines.size(), c.lines);
      QVERIFY(lines.size() * label->fontMetrics().lineSpacing() <= label->height());
      for (const QString& line : lines) {
        QVERIFY2(label->fontMetrics().horizontalAdvance(line) <= label->width(), qPrintable(line));
      }
      QVERIFY(label->alignment() & Qt::AlignLeft);
    }
    QCOMPARE(Find<QLabel>(&window, "lblAuthor")->text(), "Created by Tarnwick");
    QCOMPARE(Find<QLabel>(&window, "lblCopyright")->text().section('\n', 1, 1),
             "Please keep emulation free!");
    QCOMPARE(Find<QLabel>(&window, "Image1")->pixmap().toImage(), AppIconPixmap().toImage());
    QCOMPARE(AppIconPixmap().size(), QSize(32, 32));
  }

  // The engraved separator from (120, 720) to (3000, 720): a thick
  // workspace-coloured line with a thin title-text-coloured one along it.
  void separator_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::newRow("left end") << Px(120, 720) << QPalette::Light;
    QTest::newRow("right end") << Px(3000, 720) << QPalette::Light;
    QTest::newRow("above the middle") << Px(120, 720) - QPoint(0, 1) << QPalette::Dark;
    QTest::newRow("below the middle") << Px(3000, 720) + QPoint(0, 1) << QPalette::Dark;
    QTest::newRow("above the line") << Px(1500, 720) - QPoint(0, 2) << QPalette::Window;
    QTest::newRow("past the right end") << Px(3000, 720) + QPoint(1, 0) << QPalette::Window;
  }
  void separator() {
    QFETCH(QPoint, pixel);
    QFETCH(QPalette::ColorRole, role);
    frmAbout window(owner_);
    QCOMPARE(window.grab().toImage().pixelColor(pixel).name(), window.palette().color(role).name());
  }

  void anyClickCloses_data() {
    QTest::addColumn<QPoint>("at");
    QTest::newRow("picture") << Px(480, 360);
    QTest::newRow("author") << Px(1800, 360);
    QTest::newRow("copyright") << Px(1500, 1260);
    QTest::newRow("separator") << Px(1500, 720);
    QTest::newRow("free area") << Px(3060, 1650);
  }
  void anyClickCloses() {
    QFETCH(QPoint, at);
    QVERIFY(!StillOpenAfter(
        [&](frmAbout& about) { QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {}, at); }));
  }

  void takesNoKeys_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
  }
  void takesNoKeys() {
    QFETCH(int, key);
    QVERIFY(StillOpenAfter([&](frmAbout& about) {
      QTest::keyClick(about.windowHandle(), Qt::Key(key));
      QCOMPARE(QApplication::activeModalWidget(), &about);  // the main window takes no input
    }));
  }

  void titleBarCloseUnloads() {
    QVERIFY(!StillOpenAfter([](frmAbout& about) { about.close(); }));
  }

 private:
  // Shows an About window modal, as the main window does, and runs `act`
  // while it is up; whether it was still open afterwards. It is gone either
  // way once this returns.
  bool StillOpenAfter(const std::function<void(frmAbout&)>& act) {
    QPointer<frmAbout> about = new frmAbout(owner_);
    bool open = false;
    QTimer::singleShot(0, about, [&] {
      if (QTest::qWaitForWindowExposed(about)) act(*about);
      QCoreApplication::processEvents();
      open = about->isVisible();
      if (open) about->close();
    });
    about->exec();
    if (about) qFatal("the About window outlived exec()");
    return open;
  }

  QWidget* owner_ = nullptr;
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
