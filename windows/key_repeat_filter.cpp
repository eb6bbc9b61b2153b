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

// Qt's own auto-repeat flag is not enough on X11: with the server's
// detectable auto-repeat every repeat is a plain press, and without it a
// repeat's release and press (which share a timestamp) are only recognised
// when both have arrived. So a press also counts as a repeat while the key is
// down, or when it comes at the very moment of the key's last release.
bool KeyRepeatFilter::IsRepeat(const QKeyEvent& key) {
  KeyState& state = states_[key.key()];
  const quint64 time = key.timestamp();
  // Qt asks for a shortcut (ShortcutOverride) and then sends the press itself,
  // both with the time of the one press.
  if (state.down && time == state.pressedAt && !key.isAutoRepeat()) return false;
  if (key.isAutoRepeat() || state.down || (time != 0 && time == state.releasedAt)) return true;
  state = {true, time, state.releasedAt};
  return false;
}

bool KeyRepeatFilter::eventFilter(QObject* object, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::WindowDeactivate && object == window_) {
    states_.clear();  // a key let go in another window never comes back to us
    return false;
  }
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::KeyRelease)
    return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (type == QEvent::KeyRelease) {
    if (!key->isAutoRepeat() && states_.contains(key->key()))
      states_[key->key()] = {false, 0, key->timestamp()};
    return false;
  }
  const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (!keys_.contains(QKeyCombination(modifiers, Qt::Key(key->key()))) || !object->isWidgetType() ||
      static_cast<QWidget*>(object)->window() != window_ || !IsRepeat(*key)) {
    return false;
  }
  // An accepted override keeps a shortcut (Alt+R) from firing; the key press
  // that then follows is dropped here too.
  event->accept();
  return true;
}
