// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace norvan {

// The name ReplaceFileAtomically writes under before renaming:
// ".<name>.<process id>.<serial>.tmp" beside `path`, so the rename stays
// within one file system, unique to this process and call.
std::filesystem::path TemporaryBeside(const std::filesystem::path& path);

// Removes the temporary files of `path` that a replacement killed before its
// rename left behind: those of processes no longer running, and this one's.
// A running process's temporary file is its save in progress.
void RemoveLeftoverTemporaries(const std::filesystem::path& path);

}  // namespace norvan
