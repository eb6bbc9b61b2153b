#include "key_repeat_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyRepeatFilter::KeyRepeatFilter(QWidget* window, QList<QKeyCombination> keys)
    : QObject(window), window_(window), keys_(std::move(keys)) {
  // Key events go to the focused control, not to the window: only the
  // application sees them all.
  qApp->installEventFilter(this);
}

bool KeyRepeatFilter::eventFilter(QObject* object, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (!key->isAutoRepeat() || !keys_.contains(QKeyCombination(modifiers, Qt::Key(key->key()))) ||
      !object->isWidgetType() || static_cast<QWidget*>(object)->window() != window_) {
    return false;
  }
  // An accepted override keeps a shortcut (Alt+R) from firing; the key press
  // that then follows is dropped here too.
  event->accept();
  return true;
}
