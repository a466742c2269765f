// The data folder: where the add-in keeps its configuration, its pending
// category records and its log, "LorvaneOL" in the user's local application
// data folder.
#pragma once

#include <string>

// The data folder's name in the local application data folder.
inline constexpr const char* DataFolderName = "LorvaneOL";

// The data folder's path, without a trailing delimiter; the folder and its
// missing parents are made first. Raises EQelError when it cannot be made.
std::string LorvaneDataFolder();
