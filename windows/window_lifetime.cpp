#include "window_lifetime.h"

#include <QApplication>
#include <QEvent>

namespace {

bool IsProgramWindow(const QWidget* widget) {
  const Qt::WindowType type = widget->windowType();
  return widget->isWindow() && type != Qt::Popup && type != Qt::ToolTip;
}

class LastWindowWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Hide && object->isWidgetType() &&
        IsProgramWindow(static_cast<QWidget*>(object)) && !AnyWindowVisible()) {
      // Checked again once the event at hand is done: a window also hides for
      // a moment when its flags change, and shows again straight after.
      QMetaObject::invokeMethod(
          this,
          [] {
            if (!AnyWindowVisible()) QCoreApplication::quit();
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  static bool AnyWindowVisible() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* w) { return IsProgramWindow(w) && w->isVisible(); });
  }
};

}  // namespace

void QuitWhenLastWindowCloses(QApplication& app) {
  app.setQuitOnLastWindowClosed(false);
  app.installEventFilter(new LastWindowWatcher(&app));
}
