// SPDX-License-Identifier: GPL-3.0-or-later
// The windows, each driven as a user would: layout() checks all four, and
// each other test's name starts with the window it tests.
#include <QCheckBox>
#include <QListView>
#include <QRawFont>
#include <QTextDocument>
#include <QToolTip>

#include "about_window.h"
#include "keys_window.h"
#include "launch.h"
#include "main_window.h"
#include "message_window.h"
#include "window_lifetime.h"
#include "window_test_support.h"

using namespace norvan;

class WindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TempFolder> folder_;  // the game folder, and the working folder
  std::unique_ptr<WorkingFolder> inFolder_;
  RecordingStarter starter_;
  std::unique_ptr<frmNorvan> window_;

  void Open(const QStringList& files, const std::string& settings = {}) {
    cleanup();
    folder_ = std::make_unique<TempFolder>();
    inFolder_ = std::make_unique<WorkingFolder>(folder_->path);
    for (const QString& name : files) folder_->Write(name.toStdString(), "");
    if (!settings.empty()) folder_->Write("norvan.cfg", settings);
    starter_.started.clear();
    window_ = std::make_unique<frmNorvan>(starter_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  template <typename Control = QWidget>
  Control* Get(const char* name) {
    return Find<Control>(window_.get(), name);
  }
  QListView* List() { return Get<QListView>("filList"); }
  QPoint Row(int row) { return List()->visualRect(List()->model()->index(row, 0)).center(); }
  QString Saved() { return QString::fromStdString(folder_->Read("norvan.cfg")); }

 private slots:
  // In this order: a window saves into the working folder as it goes, and a
  // folder going away restores the working folder it found.
  void cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != window_.get() && w->isVisible()) w->close();
    window_.reset();
    inFolder_.reset();
    folder_.reset();
  }

  // Every window's layout holds in whichever sans-serif face the system has:
  // CTest also runs this alone ("layout" as the argument) with DejaVu as the
  // only fonts, with and without its condensed faces.
  void layout() {
    Open({"O2ROM.BIN", "a.bin"});
    for (QWidget* window : std::initializer_list<QWidget*>{
             window_.get(), new frmAbout(window_.get()), new frmKeys(window_.get()),
             new frmWarning(window_.get())}) {
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
      ExpectSoundLayout(window);
    }
  }

  void mainMatchesTheDesign() {
    Open({"a.bin"});
    QCOMPARE(window_->centralWidget()->size(), QSize(436, 239));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
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
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Backtab})
      QTest::keyClick(window_->windowHandle(), key);
    QCOMPARE(tabRound(), "filList optS1_3 optS2_0 " + rest);
    // Keys opens once however often it is asked for.
    for (int i = 0; i < 2; ++i) Get<QAction>("mnuKeys")->trigger();
    QCOMPARE(window_->findChildren<frmKeys*>().size(), 1);
  }

  // What shows: the selected name, the count, and the captions of the options
  // and check boxes set ("~": grayed). Between them the rows set each stick to
  // each option, so each caption shows on the option it sets.
  void mainLoadsFolderAndSettings() {
    const std::tuple<QStringList, std::string, QString> cases[] = {
        {{"x.txt"}, "1,0,1,2,1", "|-1|Left Keyboard|Right Keyboard|Debug mode|No Sound"},
        {{"O2ROM.BIN", "pacman.bin"}, "", "O2ROM.BIN|1|Right Keyboard|Disable"},
        // Stick 1 gives way to stick 2, from Joystick wrapping round to Disable.
        {{"b.bin", "A.BIN"}, "2,0,0,2,2", "A.BIN|1|Joystick|Left Keyboard|Debug mode~"},
        {{"a.bin"}, "2,0,0,3,3", "|0|Disable|Joystick|Debug mode~"},
    };
    for (const auto& [files, settings, want] : cases) {
      Open(files, settings);
      QStringList shown = {QString::fromStdString(window_->SelectedFileName()),
                           Get("txtCount")->property("text").toString()};
      for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
        auto* box = qobject_cast<QCheckBox*>(button);
        const bool grayed = box && box->checkState() == Qt::PartiallyChecked;
        if (button->isChecked()) shown << button->text() + (grayed ? "~" : "");
      }
      QCOMPARE(shown.join('|'), want);
    }
  }

  // Enter runs the selected game and a double click the one clicked, once
  // each. The keypad's Enter held down: the keyboard repeats the press until
  // it is let go (the end-to-end test holds Enter and Alt+R).
  void mainRunsTheGameOncePerEnterOrDoubleClick() {
    for (const char* focus : {"filList", "cmdRun"}) {
      Open({"Alien Raiders.bin", "b.bin", "c.bin"});
      Get(focus)->setFocus();
      for (bool repeat : {false, true, true, true})
        QTest::simulateEvent(Get(focus), true, Qt::Key_Enter, Qt::KeypadModifier, {}, repeat);
      QTest::simulateEvent(Get(focus), false, Qt::Key_Enter, Qt::KeypadModifier, {}, false);
      QTRY_COMPARE(starter_.started,
                   std::vector<std::string>{"O2EM.EXE \"Alien Raiders.bin\"  -s1=1 -s2=0  "});
    }
    starter_.started.clear();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Row(1));
    QCOMPARE(QString::fromStdString(window_->SelectedFileName()), QString("b.bin"));
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, Row(2));
    // Below the last entry a click keeps the selection, so a double click
    // there runs the selected game.
    const QPoint empty(Row(2).x(), List()->viewport()->height() - 2);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, empty);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, empty);
    QCOMPARE(starter_.started, std::vector<std::string>(2, "O2EM.EXE c.bin  -s1=1 -s2=0  "));
  }

  // No name is shortened. Wherever the widest name sorts, every row is as
  // wide as its name, as a plain list measures it, and so is the scroll range.
  // A name cut off at the list's edge shows whole in a tooltip, on one line
  // like a one-word name's, as the list shows it (U+FFFD for the
  // bidirectional override), its tags as text; a name that fits shows none.
  void mainShowsEveryNameWhole() {
    const QString alien = "Alien Invaders - Plus! (USA, Europe).bin",
                  word = "Supercalifragilisticexpialidocious.bin",
                  // A Windows file name holds no '<'.
        tagged = (QSysInfo::productType() == "windows" ? "" : "<b>") +
                 QString::fromUtf8("K.C. Munchkin! (USA, Europe) (Rev 1) \xE2\x80\xAE.bin");
    for (const QStringList& files :
         {QStringList{alien, "b.bin", "c.bin"}, QStringList{"0.bin", alien, "b.bin"},
          QStringList{"0.bin", "1.bin", tagged, word, alien}}) {
      Open(files);
      QListView plain;
      plain.setModel(List()->model());
      plain.setFont(List()->font());
      for (int row = 0; row < files.size(); ++row) {
        const QModelIndex index = List()->model()->index(row, 0);
        QVERIFY2(List()->visualRect(index).width() >= plain.sizeHintForIndex(index).width(),
                 qPrintable(index.data().toString()));
      }
    }
    const auto hover = [this](const QString& name) {
      const QModelIndex index =
          List()->model()->match(List()->model()->index(0, 0), Qt::DisplayRole, name).value(0);
      const QPoint at = List()->visualRect(index).center();
      QHelpEvent event(QEvent::ToolTip, at, List()->viewport()->mapToGlobal(at));
      QApplication::sendEvent(List()->viewport(), &event);
    };
    const auto shownTip = [] {
      for (QWidget* tip : QApplication::topLevelWidgets())
        if (tip->inherits("QTipLabel") && tip->isVisible()) return tip;
      return static_cast<QWidget*>(nullptr);
    };
    hover(word);
    QTRY_VERIFY(shownTip());
    const int oneLine = shownTip()->height();
    const QString shown = QString(tagged).replace(QChar(0x202E), QChar(0xFFFD));
    const std::pair<QString, QString> cases[] = {
        {"0.bin", ""}, {alien, alien}, {shown, shown}, {"1.bin", ""}};
    for (const auto& [name, tip] : cases) {
      hover(name);
      QTRY_COMPARE(shownTip() ? QToolTip::text().remove(QChar(0x2060)) : "", tip);
      if (tip.isEmpty()) continue;
      // Under two lines: the face that stands in for U+FFFD may be taller.
      QVERIFY2(shownTip()->height() < 2 * oneLine, qPrintable(name));
      QVERIFY(!Qt::mightBeRichText(QToolTip::text()));
    }
  }

  void mainSavesOnCloseAndAtTheEndOnlyWhatIsNotSavedYet() {
    Open({"a.bin"}, "2,0,0,1,0\r\n");
    // A grayed box turns checked, then toggles between two states.
    for (int click = 0; click < 3; ++click) QTest::mouseClick(Get("chkDebug"), Qt::LeftButton);
    QTest::mouseClick(Get("chkNoLimit"), Qt::LeftButton);
    QTest::mouseClick(Get("optS2_3"), Qt::LeftButton);
    window_->close();  // where the title bar's close ends up too
    QCOMPARE(Saved(), "1,1,0,1,3\r\n");
    // Another copy of the launcher saves meanwhile; the end leaves that be.
    folder_->Write("norvan.cfg", "1,1,1,0,1\r\n");
    window_.reset();
    QCOMPARE(Saved(), "1,1,1,0,1\r\n");

    // A folder in the way makes the first save fail; the end tries again.
    Open({"a.bin"});
    fs::remove("norvan.cfg");
    fs::create_directories("norvan.cfg/in-the-way");
    window_->close();
    fs::remove_all("norvan.cfg");
    window_.reset();
    QCOMPARE(Saved(), "0,0,0,1,0\r\n");
  }

  // Any click closes it, on a control or not (twips); a key does nothing.
  void aboutClosesOnAClickOnly() {
    for (const QPoint click : {QPoint(480, 360), QPoint(1800, 360), QPoint(1500, 1260),
                               QPoint(1500, 720), QPoint(3060, 1650), QPoint()}) {
      QPointer<frmAbout> about;
      QVERIFY(QTest::qWaitForWindowActive(ShowSingleInstance(about, nullptr)));
      if (click.isNull())
        QTest::keyClick(about->windowHandle(), Qt::Key_Escape);
      else
        QTest::mouseClick(about->windowHandle(), Qt::LeftButton, {}, click / 15.0);
      QTRY_VERIFY2((about && about->isVisible()) == click.isNull(),
                   qPrintable(QString::number(click.x())));
      delete about;
    }
  }

  // The right card's arrows are arrows (not the Latin signs their symbol-font
  // codes stand for), in a font that really has them; the key list shows one
  // key a line whatever widths the font has. "OK" has the focus and keeps it
  // on Tab; Esc does nothing; Enter closes (unloads) it.
  void keys() {
    QPointer<frmKeys> keys;
    QVERIFY(QTest::qWaitForWindowActive(ShowSingleInstance(keys, nullptr)));
    QString arrows;
    for (const char* name : {"lblRightUP", "lblRightDown", "lblRightLeft", "lblRightRight"}) {
      auto* label = Find<QLabel>(keys, name);
      arrows += label->text();
      for (const QChar c : label->text())
        QVERIFY(QRawFont::fromFont(label->font()).supportsCharacter(c));
    }
    QCOMPARE(arrows, QString::fromUtf16(u"\u2191\u2193\u2190\u2192"));
    QCOMPARE(Find<KeyListLabel>(keys, "lblEmuKeys")->Lines().join('\n'),
             "ESC - Exit O2EM\nF4 - Enter Debugger\nF5 - Reset Emulator");
    QTest::keySequence(keys->windowHandle(), QKeySequence(Qt::Key_Tab, Qt::Key_Escape));
    QVERIFY(keys && keys->isVisible() && QApplication::focusWidget() == Find(keys, "cmdOK"));
    QTest::keyClick(keys->windowHandle(), Qt::Key_Return);
    QTRY_VERIFY(!keys);
  }

  // It shows the refusal it opened with, also when another comes while it is
  // open, and the next refusal when opened again. "Ok" has the focus and Tab
  // goes round "Ok" and the text box; a click on "Ok" unloads the window.
  void messageShowsTheRefusalItOpenedWith() {
    for (const char* refusal : {kSystemRomRefusal, kNoGameRefusal}) {
      WarningMessage = refusal;
      QPointer<frmWarning> window;
      QVERIFY(QTest::qWaitForWindowActive(ShowSingleInstance(window, nullptr)));
      for (const char* name : {"cmdWarning", "txtWarning", "cmdWarning"}) {
        QCOMPARE(QApplication::focusWidget(), Find(window, name));
        QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
      }
      WarningMessage = "another";
      ShowSingleInstance(window, nullptr);
      QCOMPARE(Find(window, "txtWarning")->property("text").toString(), refusal);
      QTest::mouseClick(Find(window, "cmdWarning"), Qt::LeftButton);
      QTRY_VERIFY(!window);
    }
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
