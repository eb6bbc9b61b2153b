// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_list_box.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>

GameListModel::GameListModel(norvan::GameList games, QObject* parent)
    : QAbstractListModel(parent), games_(std::move(games)) {}

int GameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(games_.size());
}

namespace {

// A tooltip takes text that may be HTML for HTML, and then wraps it into a
// narrow box. Qt decides by the first '<' (or "&lt;") of the text: a word
// joiner, which shows as nothing, after each '<' and '&' keeps any name plain
// text, shown on one line as it is ("<b>x.bin" too).
QString AsPlainTooltip(const QString& text) {
  QString plain;
  for (const QChar c : text) {
    plain += c;
    if (c == u'<' || c == u'&') plain += QChar(0x2060);
  }
  return plain;
}

// The sum of the advances of `name`'s bytes, or -1 when it is not all
// printable ASCII, whose characters are the only ones the table holds.
qreal SumOfAdvances(std::string_view name, const std::array<qreal, 128>& advances) {
  qreal sum = 0;
  for (const char c : name) {
    if (c < ' ' || c > '~') return -1;
    sum += advances[static_cast<unsigned char>(c)];
  }
  return sum;
}

}  // namespace

// The tooltip is the display text too, which FileListBox shows only for the
// names that do not fit.
QVariant GameListModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid()) return {};
  const QString text =
      QString::fromStdString(games_[static_cast<std::size_t>(index.row())].Display());
  return role == Qt::ToolTipRole ? AsPlainTooltip(text) : text;
}

QSize GameListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  if (model_.games().empty()) return NameSize(option, index);
  if (!rowSize_.isValid() || option.font != measuredWith_) {
    rowSize_ = WidestNameSize(option);
    measuredWith_ = option.font;
  }
  return rowSize_;
}

// Measuring a name with the font lays out its text: too slow for 100 000
// names at start-up, where summing a table of advances is an addition a byte.
// Text fonts kern letters closer than their advances, hardly ever further
// apart, so no ASCII name is drawn wider than the widest sum: that name,
// measured, and widened to its sum where kerning drew it narrower, is wide
// enough for them all. Other names are measured.
QSize GameListDelegate::WidestNameSize(const QStyleOptionViewItem& option) const {
  const QFontMetricsF metrics(option.font);
  std::array<qreal, 128> advances{};
  for (char c = ' '; c <= '~'; ++c)
    advances[static_cast<unsigned char>(c)] = metrics.horizontalAdvance(QLatin1Char(c));
  QSize widest;
  int widestAsciiRow = -1;
  qreal widestSum = -1;
  const norvan::GameList& games = model_.games();
  for (int row = 0; row < static_cast<int>(games.size()); ++row) {
    const qreal sum = SumOfAdvances(games[static_cast<std::size_t>(row)].name, advances);
    if (sum < 0) {
      widest = widest.expandedTo(NameSize(option, model_.index(row)));
    } else if (sum > widestSum) {
      widestSum = sum;
      widestAsciiRow = row;
    }
  }
  if (widestAsciiRow >= 0) {
    QSize size = NameSize(option, model_.index(widestAsciiRow));
    const QString name = QString::fromLatin1(games[static_cast<std::size_t>(widestAsciiRow)].name);
    size.rwidth() +=
        std::max(0, static_cast<int>(std::ceil(widestSum - metrics.horizontalAdvance(name))));
    widest = widest.expandedTo(size);
  }
  return widest;
}

FileListBox::FileListBox(norvan::GameList games, QWidget* parent)
    : QListView(parent), model_(std::move(games)) {
  setModel(&model_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(&delegate_);
  // Every row has the same size, which lets the view skip measuring them all.
  setUniformItemSizes(true);
  setTextElideMode(Qt::ElideNone);
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
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QRect drawn(visualRect(index).topLeft(), delegate_.NameSize(option, index));
  return drawn.left() >= 0 && drawn.right() < viewport()->width();
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit DblClick();
}
