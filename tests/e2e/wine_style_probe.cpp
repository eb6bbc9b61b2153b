// Starts as norvan.exe starts, with the same plugins linked in, shows a
// window and writes to "style.txt" in the working folder the platform and the
// style Qt chose, then the font the designs' "MS Sans Serif" 8 pt became.
// Exits 0 only for Windows' own platform "windows" and native style
// "windowsvista"; the font is there to read.
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QPushButton>
#include <QStyle>

#include "design.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QPushButton button("Probe");
  button.setFont(DialogFont());
  button.show();
  QApplication::processEvents();
  const QString platform = QGuiApplication::platformName();
  const QString style = QApplication::style()->name();
  const QFontInfo font(button.font());
  const QString report = QString("%1 %2\n%3 %4 pt %5 px\n")
                             .arg(platform, style, font.family())
                             .arg(font.pointSizeF())
                             .arg(font.pixelSize());
  QFile out("style.txt");
  if (!out.open(QIODevice::WriteOnly) || out.write(report.toUtf8()) < 0) return 2;
  out.close();
  return platform == "windows" && style == "windowsvista" ? 0 : 1;
}
