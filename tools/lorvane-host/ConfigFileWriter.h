// The add-in's configuration file "Zub.xml" as a script writes it, byte for
// byte as the add-in writes it when the user saves the configuration dialog:
// a document of the XML library, written with CR LF and an indent of two
// blanks, under the declaration that names UTF-8. What the add-in's other
// dialogs keep there (the expanded folder-tree nodes, the recently used
// folders) a script leaves empty.
#pragma once

#include "platform/rtl/DateTime.h"

#include <string>
#include <utility>
#include <vector>

// A folder as the configuration keeps it: as text, not as an Outlook object.
struct ConfigFolder {
    std::string StoreName;
    std::string StoreNameId;
    std::string StoreId;
    // The folder's path from its store's name down.
    std::string FolderName;
};

// The settings a script gives, with the add-in's defaults.
struct ScriptConfig {
    // The default filing folder's path, as the script names it ("" for none).
    std::string FolderPath;
    // The default category ("CategoryStringDef").
    std::string Category;
    // The main button's caption.
    std::string Caption = "Lorvane";
    // The switches in the file's order, each with its value.
    std::vector<std::pair<std::string, bool>> Switches = {
        {"folderdef", false}, {"folderask", false}, {"nolistupdates", false},
        {"categdef", false},  {"categask", false},  {"categmaintain", true},
        {"calendadd", false}, {"taskadd", false},   {"firsttime", false}};
    // Milliseconds before the watch on an activated inspector's message starts.
    int TimerDelay = 10;

    // Sets the switch of that name; false when there is none.
    bool SetSwitch(const std::string& name, bool on);
};

// The file's bytes for config, whose default folder is folder (empty texts
// for none), written at moment.
std::string ConfigFileBytes(const ScriptConfig& config, const ConfigFolder& folder,
                            TDateTime moment);
