// Folders from their text, and the program-wide recently used list.
#include "addin/StoresAndFolders.h"

#include "addin/ProgramState.h"
#include "platform/text/Text.h"

using text::Wide;

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
