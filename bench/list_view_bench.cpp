// SPDX-License-Identifier: GPL-3.0-or-later
// Times what a user of a large folder meets after start-up, in the game list
// control as the window shows it: typing the whole name of the last game
// (type-ahead searches the shown names, so every row's text is made on the
// way), and the first scroll to the end, each until the list is painted.
// Each round opens a fresh control, since both are timed for the first time.
//
//   list_view_bench [--rounds N] FOLDER
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "file_list_box.h"
#include "game_list.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Milliseconds(const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// A list shown as in the window, its first game selected, and painted.
struct ShownList {
  FileListBox list{norvan::ListGames(".")};
  ShownList() {
    list.resize(113, 149);
    list.SelectEntry(0);
    list.show();
    QApplication::processEvents();
    list.viewport()->repaint();
  }
};

void TypeAhead(FileListBox& list, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&list, &press);
  }
  list.viewport()->repaint();
}

void ScrollToEnd(FileListBox& list) {
  list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
  list.viewport()->repaint();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments().mid(1);
  int rounds = 9;
  if (args.size() == 3 && args[0] == "--rounds") rounds = args[1].toInt();
  if (args.isEmpty() || rounds < 1 || !QDir::setCurrent(args.back())) {
    std::fprintf(stderr, "usage: list_view_bench [--rounds N] FOLDER\n");
    return 2;
  }
  std::vector<double> typing, scrolling;
  std::size_t games = 0;
  QString last;
  bool found = true;
  for (int round = 0; round <= rounds; ++round) {  // round 0 only warms up
    ShownList typed, scrolled;
    games = typed.list.Games().size();
    if (games == 0) return 1;
    last = QString::fromStdString(typed.list.Games().back().Display());
    const double typeAhead = Milliseconds([&] { TypeAhead(typed.list, last); });
    found = found && typed.list.currentIndex().row() == static_cast<int>(games - 1);
    const double scroll = Milliseconds([&] { ScrollToEnd(scrolled.list); });
    if (round == 0) continue;
    typing.push_back(typeAhead);
    scrolling.push_back(scroll);
  }
  std::printf("The game list control with %zu games, median of %d rounds:\n", games, rounds);
  std::printf("  type-ahead to the last name (%lld keys)  %8.2f ms%s\n",
              static_cast<long long>(last.size()), Median(typing),
              found ? "" : "   (did NOT reach it)");
  std::printf("  first scroll to the end                %8.2f ms\n", Median(scrolling));
  return 0;
}
