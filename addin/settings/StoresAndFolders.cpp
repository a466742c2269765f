// Folders from their text, and the program-wide recently used list.
#include "addin/settings/StoresAndFolders.h"

#include "addin/settings/ProgramState.h"
#include "platform/rtl/Exception.h"
#include "platform/text/Text.h"

#include <vector>

using text::Wide;

namespace {

// Puts folder's own folders on the stack so that the first of them is taken next.
void PushFolders(std::vector<outlook::MAPIFolder>& stack, const outlook::MAPIFolder& folder) {
    outlook::Folders folders = folder.GetFolders();
    for (int i = folders.Count(); i >= 1; --i)
        stack.push_back(folders.Item(i));
}

// The first folder named name met going depth first below top; unassigned
// when there is none. The walk keeps its own stack, so that however deep
// the user's folder tree goes, it does not run on the call stack.
outlook::MAPIFolder SearchBelow(const outlook::MAPIFolder& top, std::u16string_view name) {
    std::vector<outlook::MAPIFolder> stack;
    PushFolders(stack, top);
    while (!stack.empty()) {
        outlook::MAPIFolder folder = std::move(stack.back());
        stack.pop_back();
        if (text::SameText(folder.Name(), name))
            return folder;
        PushFolders(stack, folder);
    }
    return {};
}

} // namespace

outlook::MAPIFolder FindStore(const outlook::NameSpace& Session, std::string_view StoreId) {
    const std::u16string wanted = Wide(StoreId);
    outlook::Folders stores = Session.GetFolders();
    const int count = stores.Count();
    for (int i = 1; i <= count; ++i) {
        outlook::MAPIFolder top = stores.Item(i);
        if (top.StoreID() == wanted)
            return top;
    }
    return {};
}

outlook::MAPIFolder FindFolder(const outlook::MAPIFolder& Top, std::string_view Path) {
    outlook::MAPIFolder current = Top;
    for (size_t delim = Path.find('\\'); delim != std::string_view::npos; delim = Path.find('\\')) {
        current = current.GetFolders().Item(Wide(Path.substr(0, delim)));
        Path.remove_prefix(delim + 1);
    }
    return current.GetFolders().Item(Wide(Path));
}

outlook::MAPIFolder FindFolderByName(const outlook::MAPIFolder& Top, std::string_view Name) {
    try {
        return FindFolder(Top, Name);
    } catch (const Exception&) {
        // A pending entry keeps its filing folder by Name alone, so a folder
        // nested deeper than the store's top folder cannot be reached by the
        // direct lookup after a restart; rather than drop the entry, and the
        // categories it keeps for the sent copy, the whole tree is searched.
        if (Top)
            if (outlook::MAPIFolder found = SearchBelow(Top, Wide(Name)))
                return found;
        throw;
    }
}

outlook::MAPIFolder FindMapiFolder(const outlook::NameSpace& Session, int Index) {
    if (Index != FolderRecord::Picked && Index != FolderRecord::Default)
        return {};
    const TFolderRecord& record = ProgramState().FolderRecords[Index];
    if (!record.HoldsFolder())
        return {};
    std::string path;
    if (record.FolderName != record.StoreName) {
        path = record.FolderName;
        const std::string storePrefix = record.StoreName + "\\";
        if (size_t at = path.find(storePrefix); at != std::string::npos)
            path.erase(at, storePrefix.size());
    }
    outlook::MAPIFolder top = FindStore(Session, record.StoreId);
    // A store that is not open has no folders to look in: the record names
    // no folder of this session.
    if (!top || path.empty())
        return top;
    return FindFolder(top, path);
}

int MruExist(const std::string& Folder, const std::string& Store, const std::string& StoreId) {
    return ProgramState().MruList.Exist(Folder, Store, StoreId);
}

void ToTopOfMruList(const std::string& Folder, const std::string& Store, const std::string& StoreId,
                    int Slot) {
    ProgramState().MruList.ToTop(Folder, Store, StoreId, Slot);
}

void RemoveFromMruList(int Slot) {
    ProgramState().MruList.Remove(Slot);
}
