#pragma once

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "main_window.h"
#include "process_start.h"

// Records each command line instead of starting anything.
class RecordingStarter : public ProcessStarter {
 public:
  std::vector<std::string> started;
  bool Start(const std::string& commandLine) override {
    started.push_back(commandLine);
    return true;
  }
};

// A game folder made for one test, which is the working folder while it lives.
class GameFolder {
 public:
  explicit GameFolder(const std::vector<QByteArray>& files = {});
  ~GameFolder();
  void Write(const QByteArray& name, const QByteArray& bytes) const;
  QByteArray Read(const QByteArray& name) const;

 private:
  QTemporaryDir dir_;
  QByteArray previous_;
};

// The control named `name` under `root`, failing the test when there is none.
template <typename Control = QWidget>
Control* Find(const QWidget* root, const char* name) {
  auto* control = root->findChild<Control*>(name);
  if (!control) qFatal("no control named %s", name);
  return control;
}

// The application's visible top-level window of class `T`, if any.
template <typename T>
T* VisibleWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<T*>(w); window && window->isVisible()) return window;
  return nullptr;
}
