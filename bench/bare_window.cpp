// SPDX-License-Identifier: GPL-3.0-or-later
// The yardsticks for start-up: a Qt Widgets program that shows one empty
// window and, built as text_window, the same window with one line of text.
// An empty window never loads a font; the text shows what fonts cost any
// window that has words on it. Built as read_window, the text window first
// reads the working folder's names, as plainly as a listing can: the floor
// for any launcher that lists a folder before it shows.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#ifdef READ_FOLDER
#include <dirent.h>

#include <string>
#include <vector>

std::vector<std::string> ReadNames() {
  std::vector<std::string> names;
  DIR* dir = ::opendir(".");
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
  ::closedir(dir);
  return names;
}
#endif

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
#ifdef READ_FOLDER
  const std::vector<std::string> names = ReadNames();
#endif
  QWidget window;
  window.setWindowTitle("bare window");
#ifdef WITH_TEXT
  new QLabel("Game List:", &window);
#endif
  window.show();
  return app.exec();
}
