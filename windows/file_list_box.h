// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QFont>
#include <QListView>
#include <QStyledItemDelegate>

#include <string>

#include "game_list.h"

// Shows a GameList without copying it into Qt: rows are made on demand, so a
// folder of 100 000 games costs no more to show than one of fifty.
class GameListModel : public QAbstractListModel {
 public:
  explicit GameListModel(norvan::GameList games, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  const norvan::GameList& games() const { return games_; }

 private:
  norvan::GameList games_;
};

// Gives every row the size of the widest name, so that the list scrolls as
// far as the end of every name. The view, told that all rows are alike, asks
// for one row's size and lays out every row by it.
class GameListDelegate : public QStyledItemDelegate {
 public:
  explicit GameListDelegate(const GameListModel& model, QObject* parent = nullptr)
      : QStyledItemDelegate(parent), model_(model) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // The size of the row's own name.
  QSize NameSize(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index);
  }

 private:
  QSize WidestNameSize(const QStyleOptionViewItem& option) const;

  const GameListModel& model_;
  mutable QFont measuredWith_;
  mutable QSize rowSize_;
};

// The game list control: one selected entry at most, and a double click
// anywhere on it, on an entry or not, is its DblClick. A click where there is
// no entry keeps the selection. It never acts on a single click or on Enter;
// the window decides what those do. Names are never shortened: the list
// scrolls sideways to the end of the widest, and an entry cut off at the
// list's edge shows its whole name in a tooltip, on one line.
class FileListBox : public QListView {
  Q_OBJECT

 public:
  explicit FileListBox(norvan::GameList games, QWidget* parent = nullptr);

  const norvan::GameList& Games() const { return model_.games(); }
  void SelectEntry(int row);
  // The selected entry's name byte for byte; empty with no selection.
  std::string SelectedFileName() const;

 signals:
  void DblClick();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  bool ShowsWhole(const QModelIndex& index) const;

  GameListModel model_;
  GameListDelegate delegate_{model_};
};
