// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "about_window.h"
#include "app_icon.h"
#include "check_box.h"
#include "design.h"
#include "file_list_box.h"
#include "game_list.h"
#include "key_repeat_filter.h"
#include "keys_window.h"
#include "launch.h"
#include "message_window.h"
#include "settings_file.h"
#include "stick_exclusion.h"
#include "twips.h"
#include "window_lifetime.h"
#include "wrapping_button.h"

using namespace norvan;

namespace {

const char* const kCaption = "Norvan - Front-end for O2EM ver. 0.65.3";
constexpr int kClientWidth = 6540, kClientHeight = 3585;

// The stick options top to bottom as they stand in their frames: not in
// index order. Left 120 and height 375 twips in both frames.
struct OptionRow {
  StickMode index;
  const char* caption;
  int top;
};
constexpr OptionRow kOptionRows[] = {
    {kDisable, "Disable", 240},
    {kLeftKeyboard, "Left Keyboard", 720},
    {kRightKeyboard, "Right Keyboard", 1200},
    {kJoystick, "Joystick", 1680},
};
constexpr int kStick1OptionWidth = 975, kStick2OptionWidth = 1095;

QPushButton* CommandButton(const char* caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  // Enter presses the focused button, as on Windows; elsewhere it runs the game.
  button->setAutoDefault(true);
  return button;
}

// Tab enters a frame at its selected option, as on Windows: only that
// option is a tab stop. The arrow keys move within the frame, as Qt's option
// buttons do by themselves.
void TabStopAtSelection(const QButtonGroup* group) {
  for (QAbstractButton* option : group->buttons())
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace

frmNorvan::frmNorvan(ProcessStarter& starter) : starter_(starter) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(kCaption);
  setWindowIcon(AppIcon());
  setFont(DialogFont());
  CreateControls();
  FitCaptions(this);
  CreateMenu();
  SetTabOrder();
  NameForScreenReaders();
  ConnectSignals();
  new KeyRepeatFilter(this, {Qt::Key_Return, Qt::Key_Enter, Qt::ALT | Qt::Key_R});
  // The client area keeps its size below the menu bar; the window follows it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  Form_Load();
  layout()->activate();  // settles the window's size, which centring needs
  CentreOnScreen(this);
}

frmNorvan::~frmNorvan() {
  Form_Terminate();
}

void frmNorvan::CreateControls() {
  auto* client = new QWidget(this);
  client->setFixedSize(ToPixels(kClientWidth, kClientHeight));
  setCentralWidget(client);

  // In tab order, as the design places them (twips).
  filList = Placed(new FileListBox(ListGames("."), client), "filList", {120, 360, 1695, 2235});
  fraStick1 = Placed(new QGroupBox("Stick 1 Mode", client), "fraStick1", {2040, 120, 1335, 2175});
  fraStick2 = Placed(new QGroupBox("Stick 2 Mode", client), "fraStick2", {3480, 120, 1335, 2175});
  optS1Group = CreateStickOptions(fraStick1, "optS1", optS1, kStick1OptionWidth);
  optS2Group = CreateStickOptions(fraStick2, "optS2", optS2, kStick2OptionWidth);
  // The design's initial state, not the settings file's defaults (stick 1 on
  // Right Keyboard), which loading puts over it.
  optS1[kLeftKeyboard]->setChecked(true);
  optS2[kDisable]->setChecked(true);
  chkDebug =
      Placed(new TwoStateCheckBox("Debug mode", client), "chkDebug", {2040, 2400, 1215, 495});
  chkNoLimit =
      Placed(new TwoStateCheckBox("No Speed Limit", client), "chkNoLimit", {2040, 2760, 1455, 495});
  chkNoSound =
      Placed(new TwoStateCheckBox("No Sound", client), "chkNoSound", {3480, 2400, 1215, 495});
  cmdRun = Placed(CommandButton("&Run Game", client), "cmdRun", {5040, 240, 1215, 495});
  cmdAbout = Placed(CommandButton("&About", client), "cmdAbout", {5040, 1080, 1215, 495});
  cmdExit = Placed(CommandButton("E&xit", client), "cmdExit", {5040, 1920, 1215, 495});
  lblFiles = Placed(new QLabel("Game List:", client), "lblFiles", {120, 120, 1215, 255});
  lblCount = Placed(new QLabel("Game count:", client), "lblCount", {120, 2640, 915, 195});
  txtCount = Placed(new QLineEdit(client), "txtCount", {120, 2880, 975, 285});

  // Sized to fit its text, as designed, in whichever font stands in.
  lblCount->adjustSize();
  cmdRun->setDefault(true);
  // Nothing reads the count back, so typing into it would only mislead.
  txtCount->setReadOnly(true);
  // Qt has no menu colour role; its menus are drawn on the window colour.
  QPalette palette = txtCount->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  txtCount->setPalette(palette);
}

// Each option is named after its group and Index, e.g. "optS1_2".
QButtonGroup* frmNorvan::CreateStickOptions(QGroupBox* frame, const char* groupName,
                                            StickOptions& options, int width) {
  auto* group = new QButtonGroup(frame);
  for (const OptionRow& row : kOptionRows) {
    const QByteArray name = QByteArray(groupName) + '_' + QByteArray::number(row.index);
    auto* option = new OptionButton(row.caption, frame);
    options[row.index] = Placed(option, name.constData(), {120, row.top, width, 375});
    group->addButton(option, row.index);
  }
  return group;
}

void frmNorvan::CreateMenu() {
  mnuFile = menuBar()->addMenu("&File");
  mnuFile->setObjectName("mnuFile");
  mnuKeys = mnuFile->addAction("Emulator &Keys");
  mnuSave = mnuFile->addAction("&Save on Exit");
  mnuExit = mnuFile->addAction("E&xit");
  mnuKeys->setObjectName("mnuKeys");
  mnuSave->setObjectName("mnuSave");
  mnuExit->setObjectName("mnuExit");
  // A checkable action flips its own check mark when chosen, which is all
  // that Save on Exit's handler has to do.
  mnuSave->setCheckable(true);
  mnuSave->setChecked(true);
}

void frmNorvan::SetTabOrder() {
  QWidget* order[] = {filList,
                      optS1[kDisable],
                      optS1[kLeftKeyboard],
                      optS1[kRightKeyboard],
                      optS1[kJoystick],
                      optS2[kDisable],
                      optS2[kLeftKeyboard],
                      optS2[kRightKeyboard],
                      optS2[kJoystick],
                      chkDebug,
                      chkNoLimit,
                      chkNoSound,
                      cmdRun,
                      cmdAbout,
                      cmdExit,
                      txtCount};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// A label names the control after it in the tab order, as the design sets
// them, for screen readers too.
void frmNorvan::NameForScreenReaders() {
  lblFiles->setBuddy(filList);
  lblCount->setBuddy(txtCount);
  // Qt's list views do not look for a label naming them, as other controls do.
  filList->setAccessibleName(lblFiles->text());
  // The frames hold the option buttons, whose captions repeat across the two.
  for (QRadioButton* option : optS1) option->setAccessibleDescription(fraStick1->title());
  for (QRadioButton* option : optS2) option->setAccessibleDescription(fraStick2->title());
}

void frmNorvan::ConnectSignals() {
  connect(cmdRun, &QPushButton::clicked, this, &frmNorvan::cmdRun_Click);
  connect(filList, &FileListBox::DblClick, this, &frmNorvan::filList_DblClick);
  connect(cmdAbout, &QPushButton::clicked, this, &frmNorvan::cmdAbout_Click);
  connect(cmdExit, &QPushButton::clicked, this, &frmNorvan::cmdExit_Click);
  connect(mnuKeys, &QAction::triggered, this, &frmNorvan::mnuKeys_Click);
  connect(mnuExit, &QAction::triggered, this, &frmNorvan::mnuExit_Click);
  // An option becomes selected by a click or by the program alike.
  connect(optS1Group, &QButtonGroup::idToggled, this, [this](int index, bool selected) {
    if (selected) optS1_Click(index);
  });
  connect(optS2Group, &QButtonGroup::idToggled, this, [this](int index, bool selected) {
    if (selected) optS2_Click(index);
  });
  for (const QButtonGroup* group : {optS1Group, optS2Group}) {
    TabStopAtSelection(group);
    connect(group, &QButtonGroup::idToggled, this, [group] { TabStopAtSelection(group); });
  }
}

void frmNorvan::Form_Load() {
  if (const auto first = InitialSelection(filList->Games()))
    filList->SelectEntry(static_cast<int>(*first));
  txtCount->setText(QString::number(GameCount(filList->Games())));
  LoadSettings(*this);
  filList->setFocus();
}

void frmNorvan::Form_Unload() {
  if (mnuSave->isChecked()) SaveSettings();
}

// Saving again what unloading saved already would undo whatever another copy
// of the launcher, or an editor, wrote since; a failed first save is retried.
void frmNorvan::Form_Terminate() {
  if (mnuSave->isChecked() && saved_ != ReadLaunchSettings(*this)) SaveSettings();
}

void frmNorvan::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

// Qt has default buttons only in dialogs, and a list view uses Enter itself;
// the keys that no control took end up here.
void frmNorvan::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    cmdRun->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void frmNorvan::cmdRun_Click() {
  RunGame();
}

void frmNorvan::filList_DblClick() {
  RunGame();
}

void frmNorvan::cmdAbout_Click() {
  auto* about = new frmAbout(this);
  about->exec();
}

void frmNorvan::cmdExit_Click() {
  close();
}

void frmNorvan::mnuKeys_Click() {
  ShowSingleInstance(keysWindow_, this);
}

void frmNorvan::mnuExit_Click() {
  close();
}

void frmNorvan::optS1_Click(int index) {
  StickExclusion(*this, Stick::One, static_cast<StickMode>(index));
}

void frmNorvan::optS2_Click(int index) {
  StickExclusion(*this, Stick::Two, static_cast<StickMode>(index));
}

void frmNorvan::RunGame() {
  norvan::RunGame(*this, starter_);
}

void frmNorvan::SaveSettings() {
  if (norvan::SaveSettings(*this)) saved_ = ReadLaunchSettings(*this);
}

std::string frmNorvan::SelectedFileName() const {
  return filList->SelectedFileName();
}

TwoStateCheckBox* frmNorvan::CheckBoxOf(CheckBox box) const {
  switch (box) {
    case CheckBox::Debug:
      return chkDebug;
    case CheckBox::NoLimit:
      return chkNoLimit;
    case CheckBox::NoSound:
      return chkNoSound;
  }
  return nullptr;
}

const frmNorvan::StickOptions& frmNorvan::OptionsOf(Stick stick) const {
  return stick == Stick::One ? optS1 : optS2;
}

CheckState frmNorvan::GetCheck(CheckBox box) const {
  return CheckBoxOf(box)->State();
}

void frmNorvan::SetCheck(CheckBox box, CheckState state) {
  CheckBoxOf(box)->SetState(state);
}

bool frmNorvan::IsStickOptionSelected(Stick stick, StickMode index) const {
  return OptionsOf(stick)[index]->isChecked();
}

void frmNorvan::SelectStickOption(Stick stick, StickMode index) {
  OptionsOf(stick)[index]->setChecked(true);
}

void frmNorvan::ShowMessageWindow() {
  ShowSingleInstance(warningWindow_, this);
}
