// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything that differs between operating systems lives behind these
// functions and SystemProcessStarter: platform_posix.cpp and
// platform_win32.cpp each hold one system's whole side.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game_list.h"

namespace norvan {

// The folder of the running launcher executable; empty if unknown.
std::filesystem::path LauncherFolder();

// The files in `folder` (regular files, or links to them; never folders) whose
// names `accept` takes, in the folder's order, each name byte for byte; on
// Windows in UTF-8. `accept` sees every name first, so a file costs a look at
// its type only once its name matches. An unreadable folder gives none.
// Entries of the game list, not plain strings: at 100 000 files a list of
// strings moved into a list of entries would write 3 MB of fresh memory twice.
GameList ListFiles(const std::filesystem::path& folder, bool (*accept)(std::string_view name));

// Up to `limit` bytes of `path` if it is a regular file (or a link to one).
// Never blocks on a FIFO or device and never reads more than `limit`.
std::optional<std::string> ReadSmallRegularFile(const std::filesystem::path& path,
                                                std::size_t limit);

// Replaces `path` with a file holding `bytes`: written beside it under a
// temporary name, flushed to disk, then renamed over it, so a crash at any
// moment leaves either the old file or the new one. The new file keeps the old
// one's permissions (and, where allowed, owner and group). A link under that
// name is replaced, never written through. Temporary files that an earlier,
// interrupted replacement left are removed. False on failure, with the old
// file untouched.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// This process's identifier, and whether the process `id` is running now.
unsigned long CurrentProcessId();
bool ProcessIsRunning(unsigned long id);

#ifndef _WIN32
// The program search of the POSIX process start. (On Windows CreateProcess
// searches itself.)

// Where a program named without a folder is looked for, in the order of the
// Windows program search: the launcher's own folder, the working folder, then
// each folder of `pathVariable` (':'-separated; an empty item is the working folder).
std::vector<std::filesystem::path> SearchFolders(const std::filesystem::path& launcherFolder,
                                                 std::string_view pathVariable);

// The first `folder/name` in `folders` that is a regular file we may execute;
// empty when there is none. A name with a '/' is taken as it stands.
std::filesystem::path FindProgram(const std::string& name,
                                  const std::vector<std::filesystem::path>& folders);
#endif

}  // namespace norvan
