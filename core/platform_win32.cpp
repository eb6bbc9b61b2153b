// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows side of the platform: the folder listing, the bounded read, the
// atomic replace, and the process start, which leaves the program search to
// CreateProcess.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <exception>

#include "platform.h"
#include "process_start.h"
#include "temporary_files.h"

namespace fs = std::filesystem;

namespace norvan {

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

// The names the game list gives us are UTF-8 (see ListFiles), so the command
// line is too.
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
  RemoveLeftoverTemporaries(path);
  const fs::path temporary = TemporaryBeside(path);
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

GameList ListFiles(const fs::path& folder, bool (*accept)(std::string_view)) {
  GameList files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name;
    try {
      // Always UTF-8: path::string() would convert through the ANSI code page,
      // which depends on the user's locale and cannot hold most names.
      const std::u8string utf8 = it->path().filename().u8string();
      name.assign(utf8.begin(), utf8.end());
    } catch (const std::exception&) {
      continue;  // not valid UTF-16, so it cannot be put on a command line either
    }
    std::error_code typeError;
    if (accept(name) && it->is_regular_file(typeError)) files.push_back({std::move(name)});
  }
  return files;
}

unsigned long CurrentProcessId() {
  return ::GetCurrentProcessId();
}

bool ProcessIsRunning(unsigned long id) {
  const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

bool SystemProcessStarter::Start(const CommandLine& commandLine) {
  // CreateProcessW may write into the command line, so it gets a copy.
  std::wstring text = Widen(commandLine.Text());
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

}  // namespace norvan
