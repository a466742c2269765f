// File helpers of the class library that the system's code calls, and the one
// way this system replaces a file that holds the user's data: write a
// temporary file beside it, flush it to disk, rename it over the old one, so
// that a crash or a full disk leaves either the old file or the new one.
#pragma once

#include <string>
#include <string_view>

// True when path names an existing file (not a folder).
bool FileExists(const std::string& path);
// True when path names an existing folder.
bool DirectoryExists(const std::string& path);
// Creates a folder with every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::string& path);
// Deletes a file; false when it does not exist or cannot be deleted.
bool DeleteFile(const std::string& path);
// Renames a file, as Windows does: false when the new name exists already or
// the rename fails.
bool RenameFile(const std::string& oldName, const std::string& newName);

namespace platform {

// Replaces the file at path by contents atomically (temporary file in the same
// folder, flushed, renamed over the old one). Raises Exception naming the file
// when it cannot; the old file is then left as it was.
void WriteFileAtomically(const std::string& path, std::string_view contents);

} // namespace platform
