// File names and files, the class library's way. The add-in builds its paths
// from Windows-style texts (the data folder + "\LorvaneOL" + "\Zub.xml"), so
// every routine here takes both "\" and "/" as the path delimiter and every
// routine that touches the disk first turns "\" into "/" (NativePath). New
// delimiters are written as "/".
#pragma once

#include <string>
#include <string_view>

// The path delimiter this platform writes.
inline constexpr char PathDelim = '/';

// True when c is a path delimiter ("/" or "\").
inline bool IsPathDelimiterChar(char c) {
    return c == '/' || c == '\\';
}
// The path with every "\" turned into "/", as the disk wants it.
std::string NativePath(std::string_view path);

// The folder part of a file name, with its trailing delimiter ("a/b/c.txt" -> "a/b/").
std::string ExtractFilePath(std::string_view fileName);
// The folder part of a file name, without the trailing delimiter ("a/b/c.txt" -> "a/b").
std::string ExtractFileDir(std::string_view fileName);
// The name after the last delimiter ("a/b/c.txt" -> "c.txt").
std::string ExtractFileName(std::string_view fileName);
// The extension with its dot ("c.txt" -> ".txt"), or "" when the name has none.
std::string ExtractFileExt(std::string_view fileName);
// The file name with its extension replaced by `extension` (which includes the
// dot, or is empty to remove the extension).
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
// The path ending in exactly one delimiter ("" gives "/", as the class library's "\").
std::string IncludeTrailingPathDelimiter(std::string_view path);
// The path without a trailing delimiter (the root "/" stays).
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// True when the file exists and is not a folder.
bool FileExists(std::string_view fileName);
// True when the folder exists.
bool DirectoryExists(std::string_view dir);
// Creates one folder whose parent exists; false when that fails.
bool CreateDir(std::string_view dir);
// Creates the folder and every missing parent; true when it exists afterwards
// (false for an empty name).
bool ForceDirectories(std::string_view dir);
// Deletes a file; false when it cannot (a missing file included).
bool DeleteFile(std::string_view fileName);
// Renames a file; false when that fails or when `newName` exists already (the
// system relies on that: it deletes an old backup before renaming onto it).
bool RenameFile(std::string_view oldName, std::string_view newName);

// The whole file as bytes; raises EFOpenError "Cannot open file "%s". %s".
std::string ReadFileBytes(std::string_view fileName);
// Replaces the file with `bytes` atomically, the one way this system replaces
// a file that holds the user's data: a temporary file in the same folder is
// written, flushed and renamed over the old one (keeping its permissions), so
// a crash, a full disk or a failure leaves the old file or the new one, never
// a mix. The temporary file is named after the file (name + ".tmp-" + six
// characters); those that saves killed half way left beside it are removed
// once they are older than TemporaryLeftoverAge. Raises EFCreateError
// "Cannot create file "%s". %s".
void WriteFileAtomic(std::string_view fileName, std::string_view bytes);
// The age in seconds past which a save takes a temporary file of the same
// file for a leftover: a younger one may be another process's save in progress.
inline constexpr long TemporaryLeftoverAge = 60;
