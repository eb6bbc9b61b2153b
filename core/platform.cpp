#include "platform.h"

#include "process_start.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool IsRegularFile(const fs::path& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Starts `program` with `args` as its argv in a grandchild, so that it is
// reparented to init and the launcher neither waits for it nor leaves a
// zombie. A close-on-exec pipe carries an exec failure back to us.
bool SpawnDetached(const fs::path& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    // Only async-signal-safe calls from here on: the parent may have threads.
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
      ::setsid();
      sigset_t none;
      sigemptyset(&none);
      ::sigprocmask(SIG_SETMASK, &none, nullptr);
      ::execv(program.c_str(), argv.data());
    }
    if (grandchild != 0 && grandchild != -1) ::_exit(0);
    const int error = errno;
    ssize_t ignored = ::write(pipeFds[1], &error, sizeof error);
    (void)ignored;
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  bool started = false;
  if (child > 0) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = ::read(pipeFds[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    started = got == 0;
  }
  ::close(pipeFds[0]);
  return started;
}

}  // namespace

fs::path LauncherFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : self.parent_path();
}

bool IsExecutableFile(const fs::path& path) {
  return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> ReadSmallRegularFile(const fs::path& path, std::size_t limit) {
  // Checked before opening, so that opening has no device's side effects, and
  // again after, in case the name was swapped in between.
  if (!IsRegularFile(path)) return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> text;
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    std::string buffer(limit, '\0');
    std::size_t used = 0;
    ssize_t got = 0;
    while (used < limit) {
      got = ::read(fd, buffer.data() + used, limit - used);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      used += static_cast<std::size_t>(got);
    }
    if (got >= 0) text = buffer.substr(0, used);
  }
  ::close(fd);
  return text;
}

bool ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  static unsigned serial = 0;
  const fs::path temporary = path.parent_path() / ("." + path.filename().string() + "." +
                                                   std::to_string(::getpid()) + "." +
                                                   std::to_string(++serial) + ".tmp");
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(path.parent_path());
  return true;
}

bool SystemProcessStarter::Start(const std::string& commandLine) {
  const std::vector<std::string> words = SplitAtBlanks(commandLine);
  if (words.empty()) return false;
  const char* pathVariable = std::getenv("PATH");
  const fs::path program =
      FindProgram(words.front(), SearchFolders(LauncherFolder(), pathVariable ? pathVariable : ""));
  return !program.empty() && SpawnDetached(program, words);
}
