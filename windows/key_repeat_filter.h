// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <QObject>

#include <utility>

class QKeyEvent;
class QWidget;

// Makes each press of one of `keys` act once in `window`, however long it is
// held: the keyboard's auto-repeat would otherwise press the window's button
// again and again, starting the emulator dozens of times. A key is caught
// wherever the focus is, and also when it would set off a shortcut, on any
// keyboard layout: Qt finds Alt+R through the Latin layout when a Cyrillic
// one is active, where the key itself is a Cyrillic letter.
class KeyRepeatFilter : public QObject {
 public:
  KeyRepeatFilter(QWidget* window, QList<QKeyCombination> keys);

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  struct KeyState {
    bool down = false;
    quint64 pressedAt = 0;
    quint64 releasedAt = 0;
  };
  // The physical key where the platform names it (its scan code), else Qt's key code.
  using KeyId = std::pair<quint32, int>;

  static KeyId IdOf(const QKeyEvent& key);
  bool IsRepeat(const QKeyEvent& key);
  bool IsInWindow(const QObject* object) const;

  QWidget* window_;
  QList<QKeyCombination> keys_;
  QHash<KeyId, KeyState> states_;
  bool repeating_ = false;  // whether the key press being handled is a repeat
};
