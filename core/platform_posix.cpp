// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX side of the platform: the folder listing, the bounded read, the
// atomic replace, and the process start with its program search.
#include "platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "process_start.h"
#include "temporary_files.h"

namespace fs = std::filesystem;

namespace norvan {

namespace {

bool IsRegularFile(const fs::path& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsExecutableFile(const fs::path& path) {
  return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0;
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

// Gives the new file the permissions of the file it replaces, and its owner
// and group as far as we may; a link under the name counts as no file.
void KeepOwnershipAndMode(int fd, const fs::path& replaced) {
  struct stat old;
  if (::lstat(replaced.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return;
  // Owner first: changing it may clear the set-id bits that the mode restores.
  [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
  ::fchmod(fd, old.st_mode & 07777);
}

// In the started program: what the launcher inherited from whoever started
// it, ignored signals and a signal mask, is none of the emulator's business.
void ResetSignals() {
  struct sigaction defaults {};
  defaults.sa_handler = SIG_DFL;
  sigemptyset(&defaults.sa_mask);
  for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &defaults, nullptr);
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
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
      ResetSignals();
      ::execv(program.c_str(), argv.data());
    }
    if (grandchild != 0 && grandchild != -1) ::_exit(0);
    const int error = errno;
    [[maybe_unused]] const ssize_t ignored = ::write(pipeFds[1], &error, sizeof error);
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

// Room for as many entries as the folder could hold by its size. On ext4 that
// size is the folder's blocks of entries, each at least 16 bytes for a name of
// 5 bytes or more, as a game's ("x.bin"), so up to a million entries the room
// never falls short. Elsewhere the size may mean something else and the list
// may grow as usual. Room never written costs no memory, while each doubling
// moves the list into fresh memory: at 100 000 files, 3 MB more of page faults
// than the list itself, which take longer than its sort.
void ReserveForFolder(int dirFd, GameList& files) {
  constexpr std::size_t kLeastEntryBytes = 16, kMostReserved = std::size_t{1} << 20;
  struct stat info;
  if (::fstat(dirFd, &info) != 0 || info.st_size <= 0) return;
  files.reserve(std::min(static_cast<std::size_t>(info.st_size) / kLeastEntryBytes, kMostReserved));
}

// The folders of a ':'-separated PATH; an empty item is the working folder.
std::vector<fs::path> PathFolders(std::string_view pathVariable) {
  std::vector<fs::path> folders;
  std::size_t pos = 0;
  while (pos <= pathVariable.size() && !pathVariable.empty()) {
    std::size_t end = pathVariable.find(':', pos);
    if (end == std::string_view::npos) end = pathVariable.size();
    const std::string_view item = pathVariable.substr(pos, end - pos);
    folders.emplace_back(item.empty() ? std::string_view(".") : item);
    pos = end + 1;
  }
  return folders;
}

std::string PathVariable() {
  const char* value = std::getenv("PATH");
  return value ? value : "";
}

// Debian's choice of the desktop's terminal, then the one every X desktop has
// had. Looked up in the absolute folders of PATH only: never in the game
// folder, where whoever hands out a game set could plant a "terminal".
fs::path FindTerminal(std::string_view pathVariable) {
  std::vector<fs::path> folders = PathFolders(pathVariable);
  std::erase_if(folders, [](const fs::path& folder) { return folder.is_relative(); });
  for (const char* name : {"x-terminal-emulator", "xterm"}) {
    if (fs::path terminal = FindProgram(name, folders); !terminal.empty()) return terminal;
  }
  return {};
}

// Debug mode with no terminal of ours to inherit: started from a desktop, our
// standard input is at its end, and the debugger would prompt again without
// end, as fast as it can, into wherever our output goes. So the emulator runs
// in a terminal window of its own. Such a terminal runs the words after -e as
// they stand, with no shell, but may start them in another folder (one that
// runs its windows from a server, or a profile's start folder), so env puts
// the emulator back in our folder first; a path of it found from here, such
// as "./O2EM.EXE", then holds there too. env would take a program path with a
// '=' for a variable to set, as in a folder named "Odyssey2 = Videopac", and
// run the game's name instead: a path found from here has none unless PATH
// names such a folder, and then the start fails.
bool StartInTerminal(const fs::path& emulator, std::vector<std::string> words,
                     std::string_view pathVariable) {
  const fs::path terminal = FindTerminal(pathVariable);
  std::error_code error;
  const fs::path here = fs::current_path(error);
  words.front() = emulator.string();
  if (terminal.empty() || error || words.front().find('=') != std::string::npos) return false;
  words.insert(words.begin(),
               {terminal.filename().string(), "-e", "/usr/bin/env", "-C", here.string()});
  return SpawnDetached(terminal, words);
}

}  // namespace

fs::path LauncherFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : self.parent_path();
}

GameList ListFiles(const fs::path& folder, bool (*accept)(std::string_view)) {
  GameList files;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return files;
  const int dirFd = ::dirfd(dir);
  ReserveForFolder(dirFd, files);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!accept(name)) continue;
    bool isFile = entry->d_type == DT_REG;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat info;
      isFile = ::fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    }
    if (isFile) files.push_back({std::string(name)});
  }
  ::closedir(dir);
  return files;
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
  RemoveLeftoverTemporaries(path);
  const fs::path temporary = TemporaryBeside(path);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  KeepOwnershipAndMode(fd, path);
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  // rename() replaces a link itself, not the file it points to.
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(path.parent_path());
  return true;
}

unsigned long CurrentProcessId() {
  return static_cast<unsigned long>(::getpid());
}

bool ProcessIsRunning(unsigned long id) {
  const auto pid = static_cast<pid_t>(id);
  if (pid <= 0 || static_cast<unsigned long>(pid) != id) return false;
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

std::vector<fs::path> SearchFolders(const fs::path& launcherFolder, std::string_view pathVariable) {
  std::vector<fs::path> folders;
  if (!launcherFolder.empty()) folders.push_back(launcherFolder);
  folders.emplace_back(".");
  for (fs::path& folder : PathFolders(pathVariable)) folders.push_back(std::move(folder));
  return folders;
}

fs::path FindProgram(const std::string& name, const std::vector<fs::path>& folders) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : "";
  for (const auto& folder : folders) {
    fs::path candidate = folder / name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

bool SystemProcessStarter::Start(const CommandLine& commandLine) {
  const std::vector<std::string> words = commandLine.Words();
  const std::string pathVariable = PathVariable();
  const fs::path program =
      FindProgram(words.front(), SearchFolders(LauncherFolder(), pathVariable));
  if (program.empty()) return false;
  if (commandLine.Debug() && !::isatty(STDIN_FILENO))
    return StartInTerminal(program, words, pathVariable);
  return SpawnDetached(program, words);
}

}  // namespace norvan
