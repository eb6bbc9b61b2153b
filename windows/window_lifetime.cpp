// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_lifetime.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>

namespace {

bool IsProgramWindow(const QWidget* widget) {
  const Qt::WindowType type = widget->windowType();
  return widget->isWindow() && type != Qt::Popup && type != Qt::ToolTip;
}

class LastWindowWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  // A window leaves the screen when it closes, but also for a moment when its
  // flags change; only closing counts, so the hide must follow the window's
  // close event. (Our windows never refuse to close.)
  bool eventFilter(QObject* object, QEvent* event) override {
    if (!object->isWidgetType() || !IsProgramWindow(static_cast<QWidget*>(object))) return false;
    auto* window = static_cast<QWidget*>(object);
    if (event->type() == QEvent::Close) closing_ = window;
    if (event->type() == QEvent::Hide && window == closing_) {
      closing_ = nullptr;
      if (!AnyWindowVisible()) QCoreApplication::quit();
    }
    return false;
  }

 private:
  static bool AnyWindowVisible() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* w) { return IsProgramWindow(w) && w->isVisible(); });
  }

  QPointer<QWidget> closing_;
};

}  // namespace

void QuitWhenLastWindowCloses(QApplication& app) {
  app.setQuitOnLastWindowClosed(false);
  app.installEventFilter(new LastWindowWatcher(&app));
}
