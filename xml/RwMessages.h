// Message lookup of the XML library. Texts live in a language pack, a dynamic
// library loaded by name on first use; the library asks it for the text of a
// message group and id. Loading a pack also tells every open form, data module
// and component that offers IRwTranslate (RwTranslate.h) to translate itself,
// through the platform's translation walk (platform/rtl/TranslateHook.h); the
// library itself never reaches into forms.
#pragma once

#include <cstdint>
#include <string>

// The language pack the library loads on first lookup.
inline constexpr const char* RwDefaultLanguagePack = "RwLanguagePack.ENG";

// The text of message id in group; an empty text for an id of 0 or less.
// Loads the default language pack first when none is loaded (and then tells
// the open components to translate, as LoadResourceLibrary does); a failed
// load raises its Exception out of the lookup.
std::string ResStringById(int32_t group, int32_t id);

// Unloads a loaded pack, then loads the pack name: first from the folder of
// the program or library this code is part of, then from the library search
// path. Raises Exception with the loader's texts when it cannot. After a
// successful load every open component offering IRwTranslate is told to
// translate itself; an exception of one of them leaves this call, with the
// new pack loaded.
void LoadResourceLibrary(const std::string& name);

// Finalises and unloads the loaded pack, if any.
void UnLoadResourceLibrary();

// True while a language pack is loaded.
bool ResourceLibraryLoaded();
