// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_repeat_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <QWidget>

KeyRepeatFilter::KeyRepeatFilter(QWidget* window, QList<QKeyCombination> keys)
    : QObject(window), window_(window), keys_(std::move(keys)) {
  // Key events go to the focused control, not to the window: only the
  // application sees them all.
  qApp->installEventFilter(this);
}

KeyRepeatFilter::KeyId KeyRepeatFilter::IdOf(const QKeyEvent& key) {
  if (key.nativeScanCode() != 0) return {key.nativeScanCode(), 0};
  return {0, key.key()};
}

// Qt's own auto-repeat flag is not enough on X11: with the server's
// detectable auto-repeat every repeat is a plain press, and without it a
// repeat's release and press (which share a timestamp) are only recognised
// when both have arrived. So a press also counts as a repeat while the key is
// down, or when it comes at the very moment of the key's last release.
bool KeyRepeatFilter::IsRepeat(const QKeyEvent& key) {
  KeyState& state = states_[IdOf(key)];
  const quint64 time = key.timestamp();
  // Qt asks for a shortcut (ShortcutOverride) and then sends the press itself,
  // both with the time of the one press.
  if (state.down && time == state.pressedAt && !key.isAutoRepeat()) return false;
  if (key.isAutoRepeat() || state.down || (time != 0 && time == state.releasedAt)) return true;
  state = {true, time, state.releasedAt};
  return false;
}

bool KeyRepeatFilter::IsInWindow(const QObject* object) const {
  return object->isWidgetType() && static_cast<const QWidget*>(object)->window() == window_;
}

// Every key's presses are followed, since which key a shortcut comes from
// only shows once Qt has matched it through the layouts.
bool KeyRepeatFilter::eventFilter(QObject* object, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::WindowDeactivate && object == window_) {
    states_.clear();  // a key let go in another window never comes back to us
    return false;
  }
  // Every event of the application comes here: the cheap test first.
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::KeyRelease &&
      type != QEvent::Shortcut)
    return false;
  if (!IsInWindow(object)) return false;
  if (type == QEvent::Shortcut) {
    const QKeySequence shortcut = static_cast<QShortcutEvent*>(event)->key();
    return repeating_ && shortcut.count() == 1 && keys_.contains(shortcut[0]);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (type == QEvent::KeyRelease) {
    if (!key->isAutoRepeat() && states_.contains(IdOf(*key)))
      states_[IdOf(*key)] = {false, 0, key->timestamp()};
    return false;
  }
  repeating_ = IsRepeat(*key);
  const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (!repeating_ || !keys_.contains(QKeyCombination(modifiers, Qt::Key(key->key())))) return false;
  // The key press that follows an accepted override is dropped here too.
  event->accept();
  return true;
}
