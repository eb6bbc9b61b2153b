#pragma once

// Everything that differs between operating systems lives behind these
// functions, and SystemProcessStarter, in platform.cpp.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The folder of the running launcher executable; empty if unknown.
std::filesystem::path LauncherFolder();

// The names of the files in `folder` (regular files, or links to them; never
// folders) that `accept` takes, byte for byte. `accept` sees every name first,
// so a file costs a look at its type only once its name matches. An
// unreadable folder gives no names.
std::vector<std::string> ListFiles(const std::filesystem::path& folder,
                                   bool (*accept)(std::string_view name));

// Whether `path` is a regular file (or a link to one) that we may execute:
// on Windows one named "*.exe" or "*.com", elsewhere one with execute permission.
bool IsExecutableFile(const std::filesystem::path& path);

// Up to `limit` bytes of `path` if it is a regular file (or a link to one).
// Never blocks on a FIFO or device and never reads more than `limit`.
std::optional<std::string> ReadSmallRegularFile(const std::filesystem::path& path,
                                                std::size_t limit);

// Replaces `path` with a file holding `bytes`: written beside it under a
// temporary name, flushed to disk, then renamed over it, so a crash at any
// moment leaves either the old file or the new one. False on failure, with
// the old file untouched.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);
