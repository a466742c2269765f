// The product's files as earlier sessions left them in its data folder,
// for the end-to-end tests and the product benchmark: the configuration
// file "Zub.xml" the user saved and the pending-actions file "ZubDetails.txt".
#pragma once

#include "platform/win/ShellFolders.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The settings of the configuration file the user saved.
struct ProductSettings {
    // The default filing folder: its path and store; empty for none.
    std::string FolderPath, StoreName, StoreId;
    std::string Category;
    bool folderdef = false, categdef = false, categask = false, categmaintain = true;
    bool calendadd = false, taskadd = false;
};

// Zub.xml as the add-in writes it.
inline std::string ProductConfigText(const ProductSettings& s) {
    auto element = [](const std::string& indent, const std::string& name,
                      const std::string& value) {
        return indent +
               (value.empty() ? "<" + name + "/>" : "<" + name + ">" + value + "</" + name + ">") +
               "\r\n";
    };
    auto flag = [&](const std::string& name, bool on) {
        return element("    ", name, on ? "-1" : "0");
    };
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
           "<!--Lorvane configuration - DO NOT MODIFY-->\r\n"
           "<!--Modified 2026-12-07 09:00:00-->\r\n"
           "<config>\r\n  <folders>\r\n    <folder id=\"1\">\r\n" +
           element("      ", "foldername", s.FolderPath) +
           element("      ", "storename", s.StoreName) +
           element("      ", "storenameid", s.StoreName) + element("      ", "storeid", s.StoreId) +
           "    </folder>\r\n  </folders>\r\n  <mainbutton>\r\n"
           "    <buttoncaption>Lorvane</buttoncaption>\r\n  </mainbutton>\r\n  <setup>\r\n" +
           element("    ", "CategoryStringDef", s.Category) + flag("folderdef", s.folderdef) +
           flag("folderask", false) + flag("nolistupdates", false) + flag("categdef", s.categdef) +
           flag("categask", s.categask) + flag("categmaintain", s.categmaintain) +
           flag("calendadd", s.calendadd) + flag("taskadd", s.taskadd) + flag("firsttime", false) +
           "    <timerdelay>10</timerdelay>\r\n  </setup>\r\n  <treeconfig/>\r\n  <mrulist/>\r\n"
           "</config>\r\n";
}

// The product's data folder on the machine this process uses.
inline std::string ProductDataFolder() {
    return platform::LocalAppDataFolder() + "/LorvaneOL";
}

// The user saved settings: Zub.xml in the data folder (made when missing).
inline void WriteProductConfig(const ProductSettings& settings) {
    std::filesystem::create_directories(ProductDataFolder());
    std::ofstream(ProductDataFolder() + "/Zub.xml", std::ios::binary)
        << ProductConfigText(settings);
}

// The pending-actions file that the last session left: one line per entry.
inline void WritePendingActionsFile(const std::vector<std::string>& entries) {
    std::filesystem::create_directories(ProductDataFolder());
    std::ofstream file(ProductDataFolder() + "/ZubDetails.txt", std::ios::binary);
    for (const std::string& entry : entries)
        file << entry << "\r\n";
}
