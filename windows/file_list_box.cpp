// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_list_box.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>

GameListModel::GameListModel(norvan::GameList games, QObject* parent)
    : QAbstractListModel(parent), games_(std::move(games)) {}

int GameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(games_.size());
}

// The tooltip is the display text too, which FileListBox shows only for the
// names that do not fit. A tooltip takes text that looks like HTML for HTML,
// so the name goes as plain text made into HTML: "<b>x.bin" stays as it is.
QVariant GameListModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid()) return {};
  const QString text =
      QString::fromStdString(games_[static_cast<std::size_t>(index.row())].Display());
  return role == Qt::ToolTipRole ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

FileListBox::FileListBox(norvan::GameList games, QWidget* parent)
    : QListView(parent), model_(std::move(games)) {
  setModel(&model_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Every row has the same height, which lets the view skip measuring them all.
  setUniformItemSizes(true);
}

void FileListBox::SelectEntry(int row) {
  setCurrentIndex(model_.index(row));  // also selects, in single selection mode
}

std::string FileListBox::SelectedFileName() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  return model_.games()[static_cast<std::size_t>(selected.front().row())].name;
}

// A list view clears its selection on a click in its empty part, and would
// then refuse the double click that follows.
void FileListBox::mousePressEvent(QMouseEvent* event) {
  if (!indexAt(event->position().toPoint()).isValid()) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  QListView::mousePressEvent(event);
}

bool FileListBox::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const QModelIndex index = indexAt(static_cast<QHelpEvent*>(event)->pos());
    if (index.isValid() && ShowsWhole(index)) {
      QToolTip::hideText();
      return true;
    }
  }
  return QListView::viewportEvent(event);
}

bool FileListBox::ShowsWhole(const QModelIndex& index) const {
  const QRect drawn(visualRect(index).topLeft(), sizeHintForIndex(index));
  return drawn.left() >= 0 && drawn.right() < viewport()->width();
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit DblClick();
}
