#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "about_window.h"
#include "keys_window.h"
#include "launch.h"
#include "main_window.h"
#include "message_window.h"
#include "window_lifetime.h"
#include "window_test_support.h"

namespace {

// The design, in twips; the window must place each control at exactly this.
struct DesignRow {
  const char* name;
  const char* kind;
  const char* caption;
  int left, top, width, height;
};
const DesignRow kDesign[] = {
    {"filList", "QListView", nullptr, 120, 360, 1695, 2235},
    {"optS1_0", "QRadioButton", "Disable", 120, 240, 975, 375},
    {"optS1_2", "QRadioButton", "Left Keyboard", 120, 720, 975, 375},
    {"optS1_1", "QRadioButton", "Right Keyboard", 120, 1200, 975, 375},
    {"optS1_3", "QRadioButton", "Joystick", 120, 1680, 975, 375},
    {"optS2_0", "QRadioButton", "Disable", 120, 240, 1095, 375},
    {"optS2_2", "QRadioButton", "Left Keyboard", 120, 720, 1095, 375},
    {"optS2_1", "QRadioButton", "Right Keyboard", 120, 1200, 1095, 375},
    {"optS2_3", "QRadioButton", "Joystick", 120, 1680, 1095, 375},
    {"chkDebug", "QCheckBox", "Debug mode", 2040, 2400, 1215, 495},
    {"chkNoLimit", "QCheckBox", "No Speed Limit", 2040, 2760, 1455, 495},
    {"chkNoSound", "QCheckBox", "No Sound", 3480, 2400, 1215, 495},
    {"cmdRun", "QPushButton", "&Run Game", 5040, 240, 1215, 495},
    {"cmdAbout", "QPushButton", "&About", 5040, 1080, 1215, 495},
    {"cmdExit", "QPushButton", "E&xit", 5040, 1920, 1215, 495},
    {"lblFiles", "QLabel", "Game List:", 120, 120, 1215, 255},
    {"fraStick1", "QGroupBox", "Stick 1 Mode", 2040, 120, 1335, 2175},
    {"fraStick2", "QGroupBox", "Stick 2 Mode", 3480, 120, 1335, 2175},
    {"lblCount", "QLabel", "Game count:", 120, 2640, 915, 195},
    {"txtCount", "QLineEdit", nullptr, 120, 2880, 975, 285},
};

QRect Pixels(const DesignRow& row) {  // 15 twips a pixel
  return QRect(qRound(row.left / 15.0), qRound(row.top / 15.0), qRound(row.width / 15.0),
               qRound(row.height / 15.0));
}

QString Caption(QWidget* control) {
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
  return {};
}

// Runs `action` as soon as a visible `Window` turns up, from inside whatever
// event loop is running then (a modal window's, say).
template <typename Window>
void WhenShown(std::function<void(Window*)> action) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
    if (Window* window = VisibleWindow<Window>()) {
      poll->deleteLater();
      poll->stop();
      action(window);
    }
  });
  poll->start(5);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<GameFolder> folder_;
  RecordingStarter starter_;
  std::unique_ptr<frmNorvan> window_;

  frmNorvan* Open(const std::vector<QByteArray>& files, const QByteArray* settings = nullptr) {
    folder_ = std::make_unique<GameFolder>(files);
    if (settings) folder_->Write("norvan.cfg", *settings);
    starter_.started.clear();
    window_ = std::make_unique<frmNorvan>(starter_);
    window_->show();
    if (!QTest::qWaitForWindowActive(window_.get())) qWarning("main window not active");
    return window_.get();
  }
  template <typename Control = QWidget>
  Control* Control_(const char* name) {
    return Find<Control>(window_.get(), name);
  }
  QListView* List() { return Control_<QListView>("filList"); }
  QRect RowRect(int row) { return List()->visualRect(List()->model()->index(row, 0)); }

 private slots:
  void cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != window_.get() && w->isWindow() && w->isVisible()) w->close();
    window_.reset();
    folder_.reset();
    WarningMessage.clear();
  }

  void matchesTheDesign() {
    Open({"a.bin"});
    QCOMPARE(window_->windowTitle(), QString("Norvan - Front-end for O2EM ver. 0.65.3"));
    QCOMPARE(window_->centralWidget()->size(), QSize(436, 239));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window_->windowIcon().actualSize(QSize(64, 64)), QSize(32, 32));
    for (const DesignRow& row : kDesign) {
      QWidget* control = Control_(row.name);
      QVERIFY2(control->inherits(row.kind), row.name);
      if (row.caption) QCOMPARE(Caption(control), QString(row.caption));
      if (QString(row.name) == "lblCount") {  // sized to fit its text
        QCOMPARE(control->pos(), Pixels(row).topLeft());
        QVERIFY(control->width() >= control->fontMetrics().horizontalAdvance(row.caption));
      } else {
        QCOMPARE(control->geometry(), Pixels(row));
      }
    }
  }

  void tabOrderFollowsTheScreen() {
    Open({"a.bin", "b.bin"});
    QStringList order;
    QWidget* widget = Control_("filList");
    do {
      if (widget->focusPolicy() & Qt::TabFocus) order << widget->objectName();
      widget = widget->nextInFocusChain();
    } while (widget != Control_("filList"));
    QCOMPARE(order, QStringList({"filList", "optS1_0", "optS1_2", "optS1_1", "optS1_3", "optS2_0",
                                 "optS2_2", "optS2_1", "optS2_3", "chkDebug", "chkNoLimit",
                                 "chkNoSound", "cmdRun", "cmdAbout", "cmdExit", "txtCount"}));
    QCOMPARE(QApplication::focusWidget(), Control_("filList"));
  }

  void fileMenu() {
    Open({});
    const QList<QAction*> items = Control_<QMenu>("mnuFile")->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->text(), QString("Emulator &Keys"));
    QCOMPARE(items[1]->text(), QString("&Save on Exit"));
    QCOMPARE(items[2]->text(), QString("E&xit"));
    QVERIFY(items[1]->isChecked());
    QCOMPARE(Control_<QMenu>("mnuFile")->title(), QString("&File"));
  }

  void loadsTheFolder_data() {
    QTest::addColumn<QList<QByteArray>>("files");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("count");
    QTest::addRow("rom and one game") << QList<QByteArray>{"O2ROM.BIN", "pacman.bin"} << "O2ROM.BIN"
                                      << "1";
    QTest::addRow("game sorts first") << QList<QByteArray>{"O2ROM.BIN", "Alien.BIN"} << "Alien.BIN"
                                      << "1";
    QTest::addRow("rom only") << QList<QByteArray>{"O2ROM.BIN"} << ""
                              << "0";
    QTest::addRow("no images") << QList<QByteArray>{"readme.txt"} << ""
                               << "-1";
  }
  void loadsTheFolder() {
    QFETCH(QList<QByteArray>, files);
    QFETCH(QString, selected);
    QFETCH(QString, count);
    Open(std::vector<QByteArray>(files.begin(), files.end()));
    QCOMPARE(QString::fromStdString(window_->SelectedFileName()), selected);
    QCOMPARE(Control_<QLineEdit>("txtCount")->text(), count);
  }

  void loadsTheSettings_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::addColumn<QStringList>("checked");  // the check boxes and options that show selected
    QTest::addColumn<QString>("grayed");
    const QByteArray defaults = "0,0,0,1,0,\"#TRUE#\"\r\n";
    QTest::addRow("no file") << QByteArray() << defaults << QStringList{"optS1_1", "optS2_0"} << "";
    QTest::addRow("too few") << QByteArray("1,1") << defaults << QStringList{"optS1_1", "optS2_0"}
                             << "";
    QTest::addRow("saved") << QByteArray("1,0,1,3,2\r\n") << QByteArray("1,0,1,3,2\r\n")
                           << QStringList{"chkDebug", "chkNoSound", "optS1_3", "optS2_2"} << "";
    QTest::addRow("equal sticks") << QByteArray("0,0,0,2,2\r\n") << QByteArray("0,0,0,2,2\r\n")
                                  << QStringList{"optS1_3", "optS2_2"} << "";
    QTest::addRow("grayed") << QByteArray("2,0,0,1,0\r\n") << QByteArray("2,0,0,1,0\r\n")
                            << QStringList{"optS1_1", "optS2_0"} << "chkDebug";
  }
  void loadsTheSettings() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, fileAfter);
    QFETCH(QStringList, checked);
    QFETCH(QString, grayed);
    Open({"a.bin"}, file.isNull() ? nullptr : &file);
    QCOMPARE(folder_->Read("norvan.cfg"), fileAfter);
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
      if (!button->isCheckable()) continue;
      const auto* box = qobject_cast<QCheckBox*>(button);
      const Qt::CheckState want = button->objectName() == grayed           ? Qt::PartiallyChecked
                                  : checked.contains(button->objectName()) ? Qt::Checked
                                                                           : Qt::Unchecked;
      const Qt::CheckState shown =
          box ? box->checkState() : (button->isChecked() ? Qt::Checked : Qt::Unchecked);
      QVERIFY2(shown == want, qPrintable(button->objectName()));
    }
  }

  void enterRunsTheGameWhereverTheFocusIs_data() {
    QTest::addColumn<QString>("focus");
    for (const char* name :
         {"filList", "optS1_2", "optS2_0", "chkDebug", "chkNoSound", "txtCount", "cmdRun"})
      QTest::newRow(name) << name;
  }
  void enterRunsTheGameWhereverTheFocusIs() {
    QFETCH(QString, focus);
    Open({"Alien Raiders.bin", "O2ROM.BIN"});
    QWidget* target = Control_(focus.toLatin1().constData());
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(starter_.started,
             (std::vector<std::string>(2, "O2EM.EXE Alien Raiders.bin  -s1=1 -s2=0  ")));
  }

  void enterOnAnotherButtonPressesThatButton() {
    Open({"a.bin", "b.bin"});
    Control_("cmdExit")->setFocus();
    QTest::keyClick(Control_("cmdExit"), Qt::Key_Return);
    QVERIFY(!window_->isVisible());
    QVERIFY(starter_.started.empty());
  }

  void accessKeysPressTheButtons() {
    Open({"a.bin", "b.bin"});
    QTest::keyClick(window_.get(), Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(starter_.started.size(), 1u);

    bool aboutShown = false;
    WhenShown<frmAbout>([&](frmAbout* about) {
      aboutShown = true;
      about->close();
    });
    QTest::keyClick(window_.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(aboutShown);

    // The window manager gives the focus back after a dialog; offscreen, we do.
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!window_->isVisible());
    QCOMPARE(folder_->Read("norvan.cfg"), QByteArray("0,0,0,1,0\r\n"));
  }

  void fileMenuAnswersToItsKeys() {
    Open({"a.bin"});
    auto* menu = Control_<QMenu>("mnuFile");
    QTest::keyClick(window_.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_S);
    QTRY_VERIFY(!menu->isVisible());
    QVERIFY(!menu->actions()[1]->isChecked());

    QTest::keyClick(window_.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_K);
    QTRY_VERIFY(VisibleWindow<frmKeys>() != nullptr);

    window_->activateWindow();
    QTest::keyClick(window_.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_X);
    QTRY_VERIFY(!window_->isVisible());
    // Save on Exit was unchecked: the file stays as loading left it.
    QCOMPARE(folder_->Read("norvan.cfg"), QByteArray("0,0,0,1,0,\"#TRUE#\"\r\n"));
  }

  void doubleClickRunsOnceSingleClickNever() {
    Open({"a.bin", "b.bin", "c.bin"});
    QWidget* viewport = List()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, RowRect(1).center());
    QCOMPARE(QString::fromStdString(window_->SelectedFileName()), QString("b.bin"));
    QVERIFY(starter_.started.empty());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, RowRect(2).center());
    QCOMPARE(starter_.started, (std::vector<std::string>{"O2EM.EXE c.bin  -s1=1 -s2=0  "}));
  }

  void singleClickActivationStyleStillNeedsADoubleClick() {
    struct SingleClickStyle : QProxyStyle {
      int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                    QStyleHintReturn* data) const override {
        if (hint == SH_ItemView_ActivateItemOnSingleClick) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
      }
    };
    Open({"a.bin", "b.bin"});
    auto* style = new SingleClickStyle;
    style->setParent(List());  // setStyle does not take it over
    List()->setStyle(style);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, RowRect(1).center());
    QVERIFY(starter_.started.empty());
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, RowRect(1).center());
    QCOMPARE(starter_.started.size(), 1u);
  }

  void doubleClickWithNoSelectionRefusesLikeRunGame() {
    Open({"O2ROM.BIN"});
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, QPoint(50, 120));
    frmWarning* message = VisibleWindow<frmWarning>();
    QVERIFY(message);
    QCOMPARE(Find<QLineEdit>(message, "txtWarning")->text(),
             QString("There are no available games!"));
    // The same window comes forward, still with its first text.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, RowRect(0).center());
    QTest::mouseClick(Control_("cmdRun"), Qt::LeftButton);
    QCOMPARE(WarningMessage, std::string("You can not play 02ROM.BIN!"));
    QCOMPARE(VisibleWindow<frmWarning>(), message);
    QCOMPARE(Find<QLineEdit>(message, "txtWarning")->text(),
             QString("There are no available games!"));
    QVERIFY(starter_.started.empty());
  }

  void userClicksToggleTwoStatesEvenFromGrayed() {
    const QByteArray grayed = "2,0,0,1,0\r\n";
    Open({"a.bin"}, &grayed);
    auto* box = Control_<QCheckBox>("chkDebug");
    const Qt::CheckState expected[] = {Qt::Checked, Qt::Unchecked, Qt::Checked, Qt::Unchecked};
    for (Qt::CheckState want : expected) {
      QTest::mouseClick(box, Qt::LeftButton);
      QCOMPARE(box->checkState(), want);
    }
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(box->checkState(), Qt::Checked);
  }

  void clickedStickOptionMovesTheOtherStick_data() {
    QTest::addColumn<QString>("click");
    QTest::addColumn<QString>("stick1");
    QTest::addColumn<QString>("stick2");
    // after loading: stick 1 on Right Keyboard (1), stick 2 on Disable (0)
    QTest::addRow("stick 1 takes Disable") << "optS1_0"
                                           << "optS1_0"
                                           << "optS2_1";
    QTest::addRow("stick 2 takes Right Keyboard") << "optS2_1"
                                                  << "optS1_2"
                                                  << "optS2_1";
    QTest::addRow("no conflict") << "optS1_3"
                                 << "optS1_3"
                                 << "optS2_0";
    QTest::addRow("already selected") << "optS1_1"
                                      << "optS1_1"
                                      << "optS2_0";
  }
  void clickedStickOptionMovesTheOtherStick() {
    QFETCH(QString, click);
    QFETCH(QString, stick1);
    QFETCH(QString, stick2);
    Open({"a.bin", "b.bin"});
    QTest::mouseClick(Control_(click.toLatin1().constData()), Qt::LeftButton);
    QVERIFY(Control_<QRadioButton>(stick1.toLatin1().constData())->isChecked());
    QVERIFY(Control_<QRadioButton>(stick2.toLatin1().constData())->isChecked());
    QTest::keyClick(Control_("filList"), Qt::Key_Return);
    QCOMPARE(QString::fromStdString(starter_.started.at(0)),
             QString("O2EM.EXE a.bin  -s1=%1 -s2=%2  ").arg(stick1.back()).arg(stick2.back()));
  }

  void closingSavesWhatTheWindowShows() {
    Open({"a.bin"});
    QTest::mouseClick(Control_("chkNoLimit"), Qt::LeftButton);
    QTest::mouseClick(Control_("optS2_3"), Qt::LeftButton);
    window_->close();  // the title bar's close comes here too
    QCOMPARE(folder_->Read("norvan.cfg"), QByteArray("0,1,0,1,3\r\n"));
    folder_->Write("norvan.cfg", "edited");
    window_.reset();  // destroyed at the end of the run: saved once more
    QCOMPARE(folder_->Read("norvan.cfg"), QByteArray("0,1,0,1,3\r\n"));
  }

  void aboutBlocksTheMainWindow() {
    Open({"a.bin", "b.bin"});
    bool blocked = false;
    WhenShown<frmAbout>([&](frmAbout* about) {
      // Through the window system, where modality is enforced.
      QWidget* run = Control_("cmdRun");
      QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {},
                        run->mapTo(window_.get(), run->rect().center()));
      QTest::keyClick(window_->windowHandle(), Qt::Key_Return);
      blocked = QApplication::activeModalWidget() == about && starter_.started.empty();
      QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(200, 100));
    });
    QTest::mouseClick(Control_("cmdAbout"), Qt::LeftButton);
    QVERIFY(blocked);
    QVERIFY(!VisibleWindow<frmAbout>());
  }

  void keysWindowOutlivesTheMainWindowAndEndsTheProgram() {
    QuitWhenLastWindowCloses(*qApp);
    Open({"a.bin"});
    Control_<QMenu>("mnuFile")->actions()[0]->trigger();
    Control_<QMenu>("mnuFile")->actions()[0]->trigger();  // the same window again
    frmKeys* keys = VisibleWindow<frmKeys>();
    QVERIFY(keys);
    QCOMPARE(window_->findChildren<frmKeys*>().size(), 1);
    QTimer::singleShot(0, window_.get(), [&] {
      window_->close();
      QTimer::singleShot(50, keys, [keys] {
        QVERIFY(keys->isVisible());
        keys->close();
      });
    });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });  // a hang fails, not waits
    QCOMPARE(QCoreApplication::exec(), 0);
    qApp->setQuitOnLastWindowClosed(true);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
