// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>

#include "launcher_view.h"
#include "process_start.h"

class FileListBox;
class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class TwoStateCheckBox;
class frmKeys;
class frmWarning;

// The main window: the game list of the working folder, the five emulator
// options (the one home of the launch settings) and the commands. It loads
// the game list and the settings as it is built and saves the settings when
// it closes while Save on Exit is checked, and once more when it is destroyed
// unless that first save wrote the same record.
class frmNorvan : public QMainWindow, public norvan::LauncherView {
  Q_OBJECT

 public:
  explicit frmNorvan(norvan::ProcessStarter& starter);
  ~frmNorvan() override;

  // LauncherView: the controls the core reads and sets.
  std::string SelectedFileName() const override;
  norvan::CheckState GetCheck(norvan::CheckBox box) const override;
  void SetCheck(norvan::CheckBox box, norvan::CheckState state) override;
  bool IsStickOptionSelected(norvan::Stick stick, norvan::StickMode index) const override;
  void SelectStickOption(norvan::Stick stick, norvan::StickMode index) override;
  void ShowMessageWindow() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  using StickOptions = std::array<QRadioButton*, norvan::kStickModeCount>;  // by StickMode

  void CreateControls();
  QButtonGroup* CreateStickOptions(QGroupBox* frame, const char* groupName, StickOptions& options,
                                   int width);
  void CreateMenu();
  void SetTabOrder();
  void NameForScreenReaders();
  void ConnectSignals();

  void Form_Load();
  void Form_Unload();
  void Form_Terminate();
  void cmdRun_Click();
  void filList_DblClick();
  void cmdAbout_Click();
  void cmdExit_Click();
  void mnuKeys_Click();
  void mnuExit_Click();
  void optS1_Click(int index);
  void optS2_Click(int index);

  void RunGame();
  void SaveSettings();

  TwoStateCheckBox* CheckBoxOf(norvan::CheckBox box) const;
  const StickOptions& OptionsOf(norvan::Stick stick) const;

  norvan::ProcessStarter& starter_;
  // The record the last successful save wrote.
  std::optional<norvan::LaunchSettings> saved_;

  FileListBox* filList;
  QGroupBox* fraStick1;
  QGroupBox* fraStick2;
  StickOptions optS1;
  StickOptions optS2;
  QButtonGroup* optS1Group;
  QButtonGroup* optS2Group;
  TwoStateCheckBox* chkDebug;
  TwoStateCheckBox* chkNoLimit;
  TwoStateCheckBox* chkNoSound;
  QPushButton* cmdRun;
  QPushButton* cmdAbout;
  QPushButton* cmdExit;
  QLabel* lblFiles;
  QLabel* lblCount;
  QLineEdit* txtCount;

  QMenu* mnuFile;
  QAction* mnuKeys;
  QAction* mnuSave;
  QAction* mnuExit;

  QPointer<frmWarning> warningWindow_;
  QPointer<frmKeys> keysWindow_;
};
