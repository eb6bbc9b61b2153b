#pragma once

#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <QObject>

class QKeyEvent;
class QWidget;

// Makes each press of one of `keys` act once in `window`, however long it is
// held: the keyboard's auto-repeat would otherwise press the window's button
// again and again, starting the emulator dozens of times. A key is caught
// wherever the focus is, and also when it would set off a shortcut.
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

  bool IsRepeat(const QKeyEvent& key);

  QWidget* window_;
  QList<QKeyCombination> keys_;
  QHash<int, KeyState> states_;  // by key code
};
