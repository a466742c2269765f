// The data folder lies below the folder the shell names for local application
// data (asked for with its create flag, so that a fresh profile has one).
#include "addin/settings/DataFolder.h"

#include "addin/settings/QelError.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/ShellFolders.h"

std::string LorvaneDataFolder() {
    char path[MAX_PATH] = {};
    if (SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path) != 0)
        throw EQelError("The local application data folder is not available.");
    std::string folder = IncludeTrailingPathDelimiter(path) + DataFolderName;
    if (!ForceDirectories(folder))
        throw EQelError("Cannot create the folder \"%s\".", {folder});
    return folder;
}
