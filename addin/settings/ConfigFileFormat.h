// What the writer and the reader of "Zub.xml" share about its text: the
// declaration the XML library's writer starts with, and the switches of the
// setup element in the order the file lists them.
#pragma once

#include "addin/settings/ProgramState.h"

#include <cstdint>
#include <string_view>

// What the library's writer puts first in a document made from it, and what
// the reader is handed in place of the file's own declaration.
inline constexpr std::u16string_view XmlWriterDeclaration = u"<?xml version=\"1.0\"?>";

// A switch of the setup element: its element name and its program-wide byte.
struct ConfigSwitch {
    std::u16string_view Name;
    uint8_t TProgramState::*Field;
};

// The nine switches, in the file's order (after CategoryStringDef, before timerdelay).
inline constexpr ConfigSwitch ConfigSwitches[] = {
    {u"folderdef", &TProgramState::folderdef},
    {u"folderask", &TProgramState::folderask},
    {u"nolistupdates", &TProgramState::nolistupdates},
    {u"categdef", &TProgramState::categdef},
    {u"categask", &TProgramState::categask},
    {u"categmaintain", &TProgramState::categmaintain},
    {u"calendadd", &TProgramState::calendadd},
    {u"taskadd", &TProgramState::taskadd},
    {u"firsttime", &TProgramState::firsttime},
};
