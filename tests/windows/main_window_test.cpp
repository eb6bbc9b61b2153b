// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStyle>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <QtTest>

#include <functional>

#include "about_window.h"
#include "keys_window.h"
#include "launch.h"
#include "main_window.h"
#include "window_test_support.h"

using namespace norvan;

namespace {

// The application's visible top-level window of class `T`, if any.
template <typename T>
T* VisibleWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<T*>(w); window && window->isVisible()) return window;
  return nullptr;
}

// Runs `action` once a visible `Window` turns up, inside whatever event loop
// runs then (a modal window's, say).
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

  std::unique_ptr<GameFolder> folder_;
  RecordingStarter starter_;
  std::unique_ptr<frmNorvan> window_;

  void Open(const QStringList& files, const QByteArray& settings = {}) {
    // In this order: a window saves into the working folder as it goes, and a
    // folder going away restores the working folder it found.
    window_.reset();
    folder_.reset();
    folder_ = std::make_unique<GameFolder>(files);
    if (!settings.isNull()) folder_->Write("norvan.cfg", settings);
    starter_.started.clear();
    window_ = std::make_unique<frmNorvan>(starter_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  template <typename Control = QWidget>
  Control* Get(const QString& name) {
    return Find<Control>(window_.get(), name.toLatin1().constData());
  }
  QListView* List() { return Get<QListView>("filList"); }
  QPoint Row(int row) { return List()->visualRect(List()->model()->index(row, 0)).center(); }
  // What the default settings start `game` with.
  std::string Started(const char* game) {
    return std::string("O2EM.EXE ") + game + "  -s1=1 -s2=0  ";
  }

 private slots:
  void cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != window_.get() && w->isVisible()) w->close();
    window_.reset();
    folder_.reset();
    WarningMessage.clear();
  }

  void matchesTheDesign() {
    Open({"a.bin"});
    QCOMPARE(window_->centralWidget()->size(), QSize(436, 239));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window_->windowIcon().actualSize(QSize(64, 64)), QSize(32, 32));
#ifdef _WIN32
    // The platform and the native style that norvan.exe links in, as it does.
    QCOMPARE(QGuiApplication::platformName() + ' ' + QApplication::style()->name(),
             "windows windowsvista");
#endif
    // Each caption on the option it sets: the sticks' options do not stand in
    // index order.
    QStringList captions;
    for (const char* stick : {"optS1_", "optS2_"})
      for (const char index : {'0', '1', '2', '3'})
        captions << Get<QAbstractButton>(stick + QString(index))->text();
    QCOMPARE(captions.join('|'),
             "Disable|Right Keyboard|Left Keyboard|Joystick|Disable|"
             "Right Keyboard|Left Keyboard|Joystick");
    // Tab goes round in the design's order and enters each frame at its
    // selected option; the arrow keys move within a frame.
    const auto tabRound = [this] {
      QStringList focused;
      do {
        focused << QApplication::focusWidget()->objectName();
        QTest::keyClick(window_->windowHandle(), Qt::Key_Tab);
      } while (QApplication::focusWidget() != List() && focused.size() < 20);
      return focused.join(' ');
    };
    const QString rest = "chkDebug chkNoLimit chkNoSound cmdRun cmdAbout cmdExit txtCount";
    QCOMPARE(tabRound(), "filList optS1_1 optS2_0 " + rest);
    QTest::keyClick(window_->windowHandle(), Qt::Key_Tab);
    QTest::keyClick(window_->windowHandle(), Qt::Key_Down);
    QTest::keyClick(window_->windowHandle(), Qt::Key_Backtab);
    QCOMPARE(tabRound(), "filList optS1_3 optS2_0 " + rest);
  }

  void loadsFolderAndSettings_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("checked");  // "chkDebug~" shows grayed
    QTest::addRow("rom sorts first")
        << QStringList{"O2ROM.BIN", "pacman.bin"} << QByteArray() << "O2ROM.BIN"
        << "1" << QStringList{"optS1_1", "optS2_0"};
    QTest::addRow("no images") << QStringList{"x.txt"} << QByteArray("1,0,1,3,2") << ""
                               << "-1"
                               << QStringList{"chkDebug", "chkNoSound", "optS1_3", "optS2_2"};
    QTest::addRow("equal sticks") << QStringList{"b.bin", "A.BIN"} << QByteArray("2,0,0,2,2")
                                  << "A.BIN"
                                  << "1" << QStringList{"chkDebug~", "optS1_3", "optS2_2"};
    // Stick 1 gives way to stick 2 from Joystick, wrapping round to Disable.
    QTest::addRow("joystick gives way") << QStringList{"a.bin"} << QByteArray("2,0,0,3,3") << ""
                                        << "0" << QStringList{"chkDebug~", "optS1_0", "optS2_3"};
  }
  void loadsFolderAndSettings() {
    QFETCH(QStringList, files);
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, checked);
    Open(files, settings);
    QTEST(QString::fromStdString(window_->SelectedFileName()), "selected");
    QTEST(Get<QLineEdit>("txtCount")->text(), "count");
    QStringList shown;
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
      auto* box = qobject_cast<QCheckBox*>(button);
      if (box && box->checkState() == Qt::PartiallyChecked)
        shown << box->objectName() + "~";
      else if (button->isChecked())
        shown << button->objectName();
    }
    shown.sort();
    checked.sort();
    QCOMPARE(shown, checked);
  }

  void enterRunsTheGameOncePerPressWhereverTheFocusIs_data() {
    QTest::addColumn<QString>("focus");
    for (const char* name : {"filList", "cmdRun"}) QTest::newRow(name) << name;
  }
  void enterRunsTheGameOncePerPressWhereverTheFocusIs() {
    QFETCH(QString, focus);
    Open({"Alien Raiders.bin", "O2ROM.BIN"});
    QWidget* target = Get(focus);
    target->setFocus();
    // The keypad's Enter held down: the keyboard repeats the press until it
    // is let go. (The end-to-end test holds Enter and Alt+R.)
    for (bool repeat : {false, true, true, true})
      QTest::simulateEvent(target, true, Qt::Key_Enter, Qt::KeypadModifier, {}, repeat);
    QTest::simulateEvent(target, false, Qt::Key_Enter, Qt::KeypadModifier, {}, false);
    QTRY_COMPARE(starter_.started, std::vector<std::string>{Started("\"Alien Raiders.bin\"")});
  }

  void aboutIsModalAndKeysOpensOnce() {
    Open({"a.bin"});
    bool aboutShown = false;
    // About is modal: the main window takes no input until it closes.
    WhenShown<frmAbout>([&](frmAbout* about) {
      aboutShown = QApplication::activeModalWidget() == about && about->close();
    });
    QTest::keyClick(window_.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(aboutShown);
    Get<QMenu>("mnuFile")->actions()[0]->trigger();
    Get<QMenu>("mnuFile")->actions()[0]->trigger();  // the same window again
    QCOMPARE(window_->findChildren<frmKeys*>().size(), 1);
  }

  void onlyADoubleClickRunsAndOnlyOnce() {
    Open({"a.bin", "b.bin", "c.bin"});
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Row(1));
    QCOMPARE(QString::fromStdString(window_->SelectedFileName()), QString("b.bin"));
    QVERIFY(starter_.started.empty());
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, Row(2));
    // Below the last entry a click keeps the selection, so a double click
    // there runs the selected game.
    const QPoint empty(Row(2).x(), List()->viewport()->height() - 2);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, empty);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, empty);
    QCOMPARE(starter_.started, std::vector<std::string>(2, Started("c.bin")));
  }

  void aNameCutOffShowsWholeInATooltip() {
#ifdef _WIN32
    const QString tag = "";  // a Windows file name holds no '<'
#else
    const QString tag = "<b>";
#endif
    const QString longName =
        tag + QString::fromUtf8("K.C. Munchkin! (USA, Europe) (Rev 1) \xE2\x80\xAE.bin");
    Open({"0.bin", longName});  // in this order
    const std::pair<int, QString> cases[] = {{0, ""}, {1, longName}, {0, ""}};
    for (const auto& [row, tip] : cases) {
      QHelpEvent hover(QEvent::ToolTip, Row(row), List()->viewport()->mapToGlobal(Row(row)));
      QApplication::sendEvent(List()->viewport(), &hover);
      // As the list shows it, with U+FFFD for the bidirectional override, and
      // with its tags as text where a tooltip would read them as HTML.
      QTRY_COMPARE(QToolTip::isVisible()
                       ? QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText()
                       : "",
                   QString(tip).replace(QChar(0x202E), QChar(0xFFFD)));
    }
  }

  // Type-ahead searches the names as shown, without regard to case: keys
  // typed together make one search, and after a pause a key starts a new one
  // from the entry after the selected one, round to the top.
  void typeAheadSelectsByTheShownName() {
    Open({"alpha.bin", "Beta.bin", "beach.bin", "Bird.bin", "\u00C9checs.bin"});
    const std::pair<QString, QString> steps[] = {
        {"bet", "Beta.bin"}, {"b", "Bird.bin"}, {"b", "beach.bin"}, {"\u00E9c", "\u00C9checs.bin"}};
    for (const auto& [typed, selected] : steps) {
      QTest::qWait(QApplication::keyboardInputInterval() + 50);
      // Qt's key codes for Latin-1 letters are their capitals' code points.
      for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, List(), Qt::Key(c.toUpper().unicode()), c, {});
      QCOMPARE(QString::fromStdString(window_->SelectedFileName()), selected);
    }
  }

  void checkBoxClicksToggleTwoStatesEvenFromGrayed() {
    Open({"a.bin"}, "2,0,0,1,0\r\n");
    auto* box = Get<QCheckBox>("chkDebug");
    for (Qt::CheckState want : {Qt::Checked, Qt::Unchecked, Qt::Checked, Qt::Unchecked}) {
      QTest::mouseClick(box, Qt::LeftButton);
      QCOMPARE(box->checkState(), want);
    }
  }

  void closingSavesAndTheEndSavesOnlyWhatIsNotSavedYet() {
    Open({"a.bin"});
    QTest::mouseClick(Get("chkNoLimit"), Qt::LeftButton);
    QTest::mouseClick(Get("optS2_3"), Qt::LeftButton);
    window_->close();  // where the title bar's close ends up too
    QCOMPARE(folder_->Read("norvan.cfg"), QByteArray("0,1,0,1,3\r\n"));
    // Another copy of the launcher saves meanwhile; the end leaves that be.
    folder_->Write("norvan.cfg", "1,1,1,0,1\r\n");
    window_.reset();
    QCOMPARE(folder_->Read("norvan.cfg"), QByteArray("1,1,1,0,1\r\n"));

    // A folder in the way makes the first save fail; the end tries again.
    Open({"a.bin"});
    QVERIFY(QFile::remove("norvan.cfg") && QDir().mkpath("norvan.cfg/in-the-way"));
    window_->close();
    QVERIFY(QDir("norvan.cfg").removeRecursively());
    window_.reset();
    QCOMPARE(folder_->Read("norvan.cfg"), QByteArray("0,0,0,1,0\r\n"));
  }

  void labelsNameTheirControlsForScreenReaders() {
    Open({"a.bin"});
    const std::pair<const char*, const char*> labelled[] = {{"filList", "Game List:"},
                                                            {"txtCount", "Game count:"}};
    for (const auto& [control, name] : labelled) {
      QAccessibleInterface* ui = QAccessible::queryAccessibleInterface(Get(control));
      QCOMPARE(ui->text(QAccessible::Name), QString(name));
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
