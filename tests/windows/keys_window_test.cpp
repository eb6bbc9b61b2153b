#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRawFont>
#include <QtTest>

#include "design.h"
#include "keys_window.h"
#include "window_lifetime.h"
#include "window_test_support.h"

namespace {

int Px(int twips) {
  return qRound(twips / 15.0);
}

QRect PxRect(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

// The controls in tab order, as designed (twips).
struct Control {
  const char* name;
  QString caption;
  int left, top, width, height;
  const char* family;
  qreal points;
  bool centred;
};
const Control kDesign[] = {
    {"cmdOK", "OK", 4920, 3120, 1215, 495, "MS Sans Serif", 8, true},
    {"lblLeftKeys", "Left Keyboard Controls:", 285, 120, 2445, 240, "MS Sans Serif", 9.75, true},
    {"lblRightKeys", "Right Keyboard Controls:", 3510, 120, 2625, 240, "MS Sans Serif", 9.75, true},
    {"lblLeftUp", "W", 1305, 480, 525, 555, "MS Sans Serif", 24, true},
    {"lblLeftDown", "X", 1345, 2160, 375, 555, "MS Sans Serif", 24, true},
    {"lblLeftLeft", "A", 555, 1320, 375, 555, "MS Sans Serif", 24, true},
    {"lblLeftRight", "D", 2220, 1320, 405, 555, "MS Sans Serif", 24, true},
    {"lblLeftFire", "Left Shift", 1230, 1320, 675, 585, "MS Sans Serif", 12, true},
    {"lblRightFire", "Right Shift", 4395, 1320, 675, 585, "MS Sans Serif", 12, true},
    {"lblRightRight", QChar(0x2192), 5325, 1320, 525, 525, "DejaVu Sans", 24, true},
    {"lblRightLeft", QChar(0x2190), 3645, 1320, 525, 525, "DejaVu Sans", 24, true},
    {"lblRightDown", QChar(0x2193), 4560, 2160, 345, 525, "DejaVu Sans", 24, true},
    {"lblRightUP", QChar(0x2191), 4560, 480, 345, 525, "DejaVu Sans", 24, true},
    {"lblEmuKeys", "ESC - Exit O2EM  F4 - Enter Debugger F5 - Reset Emulator", 240, 3000, 1455, 615,
     "MS Sans Serif", 8, false},
    {"lblDebugKey", "Pressing H in the debug mode brings up help.", 2040, 3000, 1335, 615,
     "MS Sans Serif", 8, false},
};

// The lines of text a control shows: runs of pixel rows with dark ink.
int ShownLines(QWidget* control) {
  const QImage image = control->grab().toImage();
  int lines = 0;
  bool inLine = false;
  for (int y = 0; y < image.height(); ++y) {
    bool ink = false;
    for (int x = 0; x < image.width() && !ink; ++x) ink = qGray(image.pixel(x, y)) < 200;
    if (ink && !inLine) ++lines;
    inLine = ink;
  }
  return lines;
}

}  // namespace

class KeysWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    owner_ = new QWidget;
    owner_->setGeometry(100, 100, 500, 300);
    owner_->show();
  }
  void cleanup() {
    delete window_;
    delete owner_;
  }

  void controls_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kDesign)); ++row) QTest::newRow(kDesign[row].name) << row;
  }
  void controls() {
    QFETCH(int, row);
    const Control& c = kDesign[row];
    frmKeys window(owner_);
    QWidget* control = Find(&window, c.name);
    QCOMPARE(control->geometry(), PxRect(c.left, c.top, c.width, c.height));
    QCOMPARE(control->property("text").toString(), c.caption);
    const QFont font = control->font();
    QCOMPARE(font.families().value(0), c.family);
    QVERIFY(QStringList({c.family, "Liberation Sans", "DejaVu Sans"})
                .contains(QFontInfo(font).family()));
    QCOMPARE(font.pointSizeF(), c.points);
    QCOMPARE(font.bold(), c.points > 8);  // every font the design names is bold
    QVERIFY(!font.italic() && !font.underline());
    if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), c.centred);
      // The text shows whole in its box.
      const QRect ink = label->fontMetrics().tightBoundingRect(label->text());
      if (c.centred && !label->wordWrap())
        QVERIFY(ink.width() <= label->width() && ink.height() <= label->height());
    }
  }

  void arrowsAreArrows_data() {
    QTest::addColumn<char16_t>("arrow");
    QTest::newRow("lblRightLeft") << u'\u2190';
    QTest::newRow("lblRightUP") << u'\u2191';
    QTest::newRow("lblRightRight") << u'\u2192';
    QTest::newRow("lblRightDown") << u'\u2193';
  }
  void arrowsAreArrows() {
    QFETCH(char16_t, arrow);
    frmKeys window(owner_);
    auto* label = Find<QLabel>(&window, QTest::currentDataTag());
    QCOMPARE(label->text(), QString(QChar(arrow)));
    // The font the label really gets draws the arrow itself, not a fallback.
    const QFont resolved(QFontInfo(label->font()).family(), 24, QFont::Bold);
    QVERIFY(QFontMetrics(resolved).inFontUcs4(arrow));
    QVERIFY(QRawFont::fromFont(label->font()).supportsCharacter(char32_t(arrow)));
  }

  void wrappedLines_data() {
    QTest::addColumn<int>("lines");
    QTest::newRow("lblLeftFire") << 2;
    QTest::newRow("lblRightFire") << 2;
    QTest::newRow("lblEmuKeys") << 3;
    QTest::newRow("lblDebugKey") << 3;
  }
  void wrappedLines() {
    QFETCH(int, lines);
    frmKeys window(owner_);
    QCOMPARE(ShownLines(Find(&window, QTest::currentDataTag())), lines);
  }

  void emulatorKeysOneALine() {
    frmKeys window(owner_);
    auto* keys = Find<KeyListLabel>(&window, "lblEmuKeys");
    QCOMPARE(keys->Lines(),
             QStringList({"ESC - Exit O2EM", "F4 - Enter Debugger", "F5 - Reset Emulator"}));
  }

  void window() {
    QPointer<frmKeys> first = ShowSingleInstance(window_, owner_);
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QCOMPARE(ShowSingleInstance(window_, owner_), first);  // chosen twice: one window
    int shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      shown += qobject_cast<frmKeys*>(w) && w->isVisible();
    QCOMPARE(shown, 1);
    QCOMPARE(window_->windowTitle(), "Keys- Norvan");
    QCOMPARE(window_->size(), QSize(Px(6375), Px(3765)));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QCOMPARE(window_->windowType(), Qt::Dialog);
    QVERIFY(!(window_->windowFlags() &
              (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
    QVERIFY(
        (window_->frameGeometry().center() - owner_->frameGeometry().center()).manhattanLength() <=
        2);
    // The design's tab order; only "OK" takes the focus, and keeps it on Tab.
    QStringList order;
    QWidget* w = Find(window_, "cmdOK");
    do {
      if (w->objectName().startsWith("cmd") || w->objectName().startsWith("lbl"))
        order << w->objectName();
      w = w->nextInFocusChain();
    } while (w != Find(window_, "cmdOK"));
    QStringList design;
    for (const Control& c : kDesign) design << c.name;
    QCOMPARE(order, design);
    QCOMPARE(QApplication::focusWidget(), Find(window_, "cmdOK"));
    QTest::keyClick(window_->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Find(window_, "cmdOK"));
  }

  // Line3 divides the cards; Line1 and Line2 make the engraved separator.
  void lines_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::newRow("divider top") << QPoint(Px(3120), Px(120)) << QPalette::WindowText;
    QTest::newRow("divider bottom") << QPoint(Px(3120), Px(2760)) << QPalette::WindowText;
    QTest::newRow("above the divider") << QPoint(Px(3120), Px(120) - 1) << QPalette::Window;
    QTest::newRow("thick line left end") << QPoint(Px(120), Px(2880)) << QPalette::Dark;
    QTest::newRow("thin line left end") << QPoint(Px(240), Px(2880)) << QPalette::Light;
    QTest::newRow("thin line right end") << QPoint(Px(6120), Px(2880)) << QPalette::Light;
    QTest::newRow("thick line above") << QPoint(Px(3000), Px(2880) - 1) << QPalette::Dark;
    QTest::newRow("past the right end") << QPoint(Px(6240) + 1, Px(2880)) << QPalette::Window;
  }
  void lines() {
    QFETCH(QPoint, pixel);
    QFETCH(QPalette::ColorRole, role);
    frmKeys window(owner_);
    QCOMPARE(window.grab().toImage().pixelColor(pixel).name(), window.palette().color(role).name());
  }

  void closing_data() {
    QTest::addColumn<bool>("closes");
    QTest::newRow("OK") << true;
    QTest::newRow("Enter") << true;
    QTest::newRow("keypad Enter") << true;
    QTest::newRow("title bar") << true;
    QTest::newRow("Esc") << false;
  }
  // Closing unloads the window; Esc does not close it.
  void closing() {
    QFETCH(bool, closes);
    const QByteArray way = QTest::currentDataTag();
    ShowSingleInstance(window_, owner_);
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QWindow* handle = window_->windowHandle();
    if (way == "OK") QTest::mouseClick(Find(window_, "cmdOK"), Qt::LeftButton);
    if (way == "Enter") QTest::keyClick(handle, Qt::Key_Return);
    if (way == "keypad Enter") QTest::keyClick(handle, Qt::Key_Enter, Qt::KeypadModifier);
    if (way == "title bar") window_->close();
    if (way == "Esc") QTest::keyClick(handle, Qt::Key_Escape);
    QTest::qWait(10);
    QCOMPARE(window_.isNull(), closes);
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
  QPointer<frmKeys> window_;
};

QTEST_MAIN(KeysWindowTest)
#include "keys_window_test.moc"
