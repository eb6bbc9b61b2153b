// SPDX-License-Identifier: GPL-3.0-or-later
// Norvan's stand-in for the O2EM emulator. It emulates nothing: copied into a
// game folder as O2EM.EXE, it opens a maximized window that shows what Norvan
// started it with, and exits when that window is closed.
//
// When O2EM_STANDIN_RECORD names a file, it first writes there the working
// folder and then what it received, every item followed by a NUL byte, so a
// test can compare bytes rather than what a window displays. On POSIX systems
// it received its arguments, each as the bytes it was given. On Windows a
// program receives one command line text, which it splits itself, and a
// window state: the record holds the command line whole, then the state
// asked for in decimal (-1 when none was), all text in UTF-8.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// What the program was started with: the working folder, then each item with
// the label the window shows it under. All of it is recorded.
struct Received {
  std::string folder;
  std::vector<std::pair<QString, std::string>> items;
};

#ifdef _WIN32

std::string Utf8(const wchar_t* text, int length) {
  if (length == 0) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::string Utf8(const std::wstring& text) {
  return Utf8(text.data(), static_cast<int>(text.size()));
}

std::wstring WorkingFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);  // the size needed, with its terminating NUL
  }
}

Received Receive(int, char*[]) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoW(&startup);
  const int state = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  const wchar_t* commandLine = ::GetCommandLineW();
  return {Utf8(WorkingFolder()),
          {{"command line", Utf8(commandLine, static_cast<int>(::wcslen(commandLine)))},
           {"window state", std::to_string(state)}}};
}

std::wstring RecordTarget() {
  const DWORD size = ::GetEnvironmentVariableW(L"O2EM_STANDIN_RECORD", nullptr, 0);
  if (size <= 1) return {};
  std::wstring name(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"O2EM_STANDIN_RECORD", name.data(), size);
  name.resize(length < size ? length : 0);
  return name;
}

// Written under a temporary name and renamed, so that a reader polling for
// the record never sees half of it.
bool Record(const std::wstring& target, const std::string& bytes) {
  const std::wstring partial =
      target + L"." + std::to_wstring(::GetCurrentProcessId()) + L".partial";
  const HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole =
      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  if (!::CloseHandle(file) || !whole ||
      !::MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ::DeleteFileW(partial.c_str());
    return false;
  }
  return true;
}

void RecordIfAsked(const std::string& bytes) {
  const std::wstring target = RecordTarget();
  if (!target.empty() && !Record(target, bytes))
    std::fprintf(stderr, "o2em_standin: cannot record to %s: error %lu\n", Utf8(target).c_str(),
                 ::GetLastError());
}

#else  // POSIX

std::string WorkingFolder() {
  std::vector<char> buffer(4096);
  while (!::getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

Received Receive(int argc, char* argv[]) {
  Received received{WorkingFolder(), {}};
  for (int i = 0; i < argc; ++i) received.items.emplace_back(QString("argv[%1]").arg(i), argv[i]);
  return received;
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
bool Record(const char* target, const std::string& bytes) {
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

void RecordIfAsked(const std::string& bytes) {
  const char* target = std::getenv("O2EM_STANDIN_RECORD");
  if (target && *target && !Record(target, bytes))
    std::fprintf(stderr, "o2em_standin: cannot record to %s: %s\n", target, std::strerror(errno));
}

#endif

// Received bytes; the window shows them as UTF-8 where they are, with U+FFFD
// for anything else.
QString Shown(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString Escaped(const std::string& bytes) {
  return Shown(bytes).toHtmlEscaped();
}

}  // namespace

int main(int argc, char* argv[]) {
  const Received received = Receive(argc, argv);
  std::string record = received.folder + '\0';
  for (const auto& item : received.items) record += item.second + '\0';
  RecordIfAsked(record);

  // Qt would take options such as "-style" or "-geometry" out of argv for
  // itself; the emulator's arguments are not meant for Qt.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QApplication app(qtArgc, qtArgv);

  QStringList words;
  for (const auto& item : received.items) words << Shown(item.second);
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
  details += "<p>Working folder: <tt>" + Escaped(received.folder) + "</tt></p>";
  details += "<p>What it received, each shown between [ and ]:</p><table>";
  for (const auto& [label, value] : received.items) {
    details += QString("<tr><td>%1&nbsp;</td><td><tt>[%2]</tt></td></tr>")
                   .arg(label.toHtmlEscaped(), Escaped(value).replace(' ', "&nbsp;"));
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
