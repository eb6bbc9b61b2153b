#include "platform.h"

#include "process_start.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <exception>
#else
#include <cerrno>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Where ReplaceFileAtomically writes before renaming: beside the target, so
// the rename stays within one file system, and unique to this process and call.
fs::path TemporaryBeside(const fs::path& path, unsigned long processId) {
  static unsigned serial = 0;
  fs::path name(".");
  name += path.filename();
  name += "." + std::to_string(processId) + "." + std::to_string(++serial) + ".tmp";
  return path.parent_path() / name;
}

}  // namespace

#ifdef _WIN32

namespace {

bool IsRegularFile(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// The names the game list gives us are UTF-8 (libstdc++'s path::string() on
// Windows), so the command line is too.
std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

fs::path LauncherFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  // Long paths may exceed MAX_PATH; a truncated name fills the whole buffer.
  while (buffer.size() <= 32768) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return fs::path(buffer).parent_path();
    }
    buffer.resize(buffer.size() * 2);
  }
  return {};
}

bool IsExecutableFile(const fs::path& path) {
  std::wstring extension = path.extension().wstring();
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  return IsRegularFile(path) && (extension == L".exe" || extension == L".com");
}

std::optional<std::string> ReadSmallRegularFile(const fs::path& path, std::size_t limit) {
  // Checked before opening, so that no device or pipe is opened, and again
  // on the handle, in case the name was swapped in between.
  if (!IsRegularFile(path)) return std::nullopt;
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> text;
  BY_HANDLE_FILE_INFORMATION info;
  if (::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info) &&
      !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    std::string buffer(limit, '\0');
    std::size_t used = 0;
    bool failed = false;
    while (used < limit) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(limit - used, 1u << 20));
      DWORD got = 0;
      if (!::ReadFile(file, buffer.data() + used, chunk, &got, nullptr)) failed = true;
      if (failed || got == 0) break;
      used += got;
    }
    if (!failed) text = buffer.substr(0, used);
  }
  ::CloseHandle(file);
  return text;
}

bool ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path temporary = TemporaryBeside(path, ::GetCurrentProcessId());
  const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, bytes) && ::FlushFileBuffers(file);
  const bool closed = ::CloseHandle(file);
  if (!written || !closed ||
      !::MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

std::vector<std::string> ListFiles(const fs::path& folder, bool (*accept)(std::string_view)) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name;
    try {
      name = it->path().filename().string();
    } catch (const std::exception&) {
      continue;  // not valid UTF-16, so it cannot be put on a command line either
    }
    std::error_code typeError;
    if (accept(name) && it->is_regular_file(typeError)) names.push_back(std::move(name));
  }
  return names;
}

bool SystemProcessStarter::Start(const std::string& commandLine) {
  if (SplitAtBlanks(commandLine).empty()) return false;
  // CreateProcessW may write into the command line, so it gets a copy.
  std::wstring text = Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMAXIMIZED;
  PROCESS_INFORMATION process{};
  // No application name: Windows takes the first word as the program and
  // finds it the usual way (our folder, the working folder, system, PATH).
  if (!::CreateProcessW(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  // We are the foreground window (the user just clicked); let the emulator
  // take the focus from us even if its window comes up late.
  ::AllowSetForegroundWindow(process.dwProcessId);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

#else  // POSIX

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
  const fs::path temporary = TemporaryBeside(path, static_cast<unsigned long>(::getpid()));
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

std::vector<std::string> ListFiles(const fs::path& folder, bool (*accept)(std::string_view)) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!accept(name)) continue;
    bool isFile = entry->d_type == DT_REG;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat info;
      isFile = ::fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    }
    if (isFile) names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

bool SystemProcessStarter::Start(const std::string& commandLine) {
  const std::vector<std::string> words = SplitAtBlanks(commandLine);
  if (words.empty()) return false;
  const char* pathVariable = std::getenv("PATH");
  const fs::path program =
      FindProgram(words.front(), SearchFolders(LauncherFolder(), pathVariable ? pathVariable : ""));
  return !program.empty() && SpawnDetached(program, words);
}

#endif
