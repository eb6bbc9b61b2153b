// The yardsticks for start-up: a Qt Widgets program that shows one empty
// window and, built as text_window, the same window with one line of text.
// An empty window never loads a font; the text shows what fonts cost any
// window that has words on it.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("bare window");
#ifdef WITH_TEXT
  new QLabel("Game List:", &window);
#endif
  window.show();
  return app.exec();
}
