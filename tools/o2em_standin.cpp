// Norvan's stand-in for the O2EM emulator. It emulates nothing: copied into a
// game folder as O2EM.EXE, it opens a maximized window that shows the
// arguments Norvan passed, and exits when that window is closed.
//
// When O2EM_STANDIN_RECORD names a file, it first writes there the working
// folder and then each argument, every one followed by a NUL byte, exactly as
// received, so a test can compare bytes rather than what a window displays.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::string WorkingFolder() {
  std::vector<char> buffer(4096);
  while (!::getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// Written under a temporary name and renamed, so that a reader polling for
// the record never sees half of it.
bool Record(const char* target, const std::string& folder, const std::vector<std::string>& args) {
  std::string bytes = folder + '\0';
  for (const std::string& arg : args) bytes += arg + '\0';
  const std::string partial = std::string(target) + "." + std::to_string(::getpid()) + ".partial";
  const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes);
  if (::close(fd) != 0 || !written || std::rename(partial.c_str(), target) != 0) {
    const int error = errno;
    ::unlink(partial.c_str());
    errno = error;
    return false;
  }
  return true;
}

// Arguments are bytes; the window shows them as UTF-8 where they are, with
// U+FFFD for anything else.
QString Shown(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), bytes.size());
}

QString Escaped(const std::string& bytes) {
  return Shown(bytes).toHtmlEscaped();
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv, argv + argc);
  const std::string folder = WorkingFolder();
  if (const char* target = std::getenv("O2EM_STANDIN_RECORD"); target && *target) {
    if (!Record(target, folder, args))
      std::fprintf(stderr, "o2em_standin: cannot record to %s: %s\n", target, std::strerror(errno));
  }

  // Qt would take options such as "-style" or "-geometry" out of argv for
  // itself; the emulator's arguments are not meant for Qt.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QApplication app(qtArgc, qtArgv);

  QStringList words;
  for (const std::string& arg : args) words << Shown(arg);
  QWidget window;
  window.setWindowTitle("O2EM stand-in (not an emulator): " + words.join(' '));

  auto* heading = new QLabel("Norvan's stand-in for the O2EM emulator");
  QFont headingFont = heading->font();
  headingFont.setPointSizeF(headingFont.pointSizeF() * 2);
  headingFont.setBold(true);
  heading->setFont(headingFont);

  QString details =
      "<p>This is <b>not an emulator</b> and plays no game. It was started in place of "
      "O2EM.EXE only to show the command line that Norvan passes to the emulator.</p>";
  details += "<p>Working folder: <tt>" + Escaped(folder) + "</tt></p>";
  details += QString("<p>%1 argument(s), each shown between [ and ]:</p><table>").arg(args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    details += QString("<tr><td>argv[%1]&nbsp;</td><td><tt>[%2]</tt></td></tr>")
                   .arg(i)
                   .arg(Escaped(args[i]).replace(' ', "&nbsp;"));
  }
  details += "</table>";
  auto* text = new QLabel(details);
  text->setTextFormat(Qt::RichText);
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* scroll = new QScrollArea;
  scroll->setWidget(text);
  scroll->setWidgetResizable(true);

  auto* close = new QPushButton("&Close");
  close->setDefault(true);
  QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);

  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(heading);
  layout->addWidget(scroll, 1);
  layout->addWidget(close, 0, Qt::AlignRight);

  // Without a window manager the maximized state alone changes nothing, so
  // the window also starts as large as the screen's free area.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window.setGeometry(screen->availableGeometry());
  window.showMaximized();
  window.activateWindow();  // as the emulator's window takes the focus
  return app.exec();
}
