// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "launch.h"
#include "message_window.h"
#include "window_lifetime.h"
#include "window_test_support.h"

using namespace norvan;

class MessageWindowTest : public QObject {
  Q_OBJECT
  QPointer<frmWarning> window_;

 private slots:
  void init() { WarningMessage = kNoGameRefusal; }
  void cleanup() { delete window_; }

  // The design's texts and fonts: points, then " bold", " underline". The
  // text box shows the refusal the window loaded with (see init()).
  void controls_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("font");
    QTest::newRow("cmdWarning") << "Ok"
                                << "8";
    QTest::newRow("lblWarning") << "Warning!!!"
                                << "24 bold underline";
    QTest::newRow("txtWarning") << kNoGameRefusal << "9.75";
  }
  void controls() {
    QFETCH(QString, caption);
    QFETCH(QString, font);
    frmWarning window(nullptr);
    QWidget* control = Find(&window, QTest::currentDataTag());
    QCOMPARE(control->property("text").toString(), caption);
    const QFont f = control->font();
    QCOMPARE(QString::number(f.pointSizeF()) + (f.bold() ? " bold" : "") +
                 (f.underline() ? " underline" : ""),
             font);
    // Screen readers name the text box by the label above it.
    const QString name =
        QAccessible::queryAccessibleInterface(Find(&window, "txtWarning"))->text(QAccessible::Name);
    QCOMPARE(name, QString("Warning!!!"));
  }

  // "Ok" has the focus and Tab goes round "Ok" and the text box; a refusal while
  // the window is open keeps the text it loaded; a click on "Ok" unloads it.
  void closes() {
    // Not the text controls() loads, so a window with a fixed text fails one of them.
    WarningMessage = kSystemRomRefusal;
    QVERIFY(QTest::qWaitForWindowActive(ShowSingleInstance(window_, nullptr)));
    QCOMPARE(window_->size(), QSize(4695, 2160) / 15.0);
    for (const char* name : {"cmdWarning", "txtWarning", "cmdWarning", "txtWarning"}) {
      QCOMPARE(QApplication::focusWidget(), Find(window_, name));
      QTest::keyClick(window_->windowHandle(), Qt::Key_Tab);
    }
    WarningMessage = kNoGameRefusal;
    ShowSingleInstance(window_, nullptr);
    QCOMPARE(Find(window_, "txtWarning")->property("text").toString(), kSystemRomRefusal);
    QTest::mouseClick(Find(window_, "cmdWarning"), Qt::LeftButton);
    QTRY_VERIFY(!window_);
  }
};

QTEST_MAIN(MessageWindowTest)
#include "message_window_test.moc"
