// The file helpers of the machine are the class library's (platform/rtl/
// FileUtils.h): FileExists, DirectoryExists, ForceDirectories, DeleteFile,
// RenameFile (refusing to replace an existing file, as Windows does) and the
// atomic replacement of a file that holds the user's data.
#pragma once

#include "platform/rtl/FileUtils.h"

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at path by contents atomically (temporary file in the same
// folder, flushed, renamed over the old one). Raises an Exception naming the
// file when it cannot; the old file is then left as it was.
inline void WriteFileAtomically(const std::string& path, std::string_view contents) {
    WriteFileAtomic(path, contents);
}

} // namespace platform
