// The pending lists' look-ups and the pending-actions file.
#include "addin/send/PendingEntries.h"

#include "addin/settings/DataFolder.h"
#include "addin/settings/ProductTrace.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"

namespace {

// The index of the first entry of list whose name occurs in Key, or -1.
int FindEntry(const TStringList* list, std::string_view Key) {
    if (!list)
        return -1;
    // An arriving copy is looked up among every entry: the lines are read
    // where they are, not copied.
    for (int i = 0; i < list->Count(); ++i) {
        const std::string_view line = list->View(i);
        const size_t separator = line.find(list->NameValueSeparator);
        if (separator == std::string_view::npos || separator == 0)
            continue;
        if (ContainsText(Key, line.substr(0, separator)))
            return i;
    }
    return -1;
}

// Deletes entry index of list and returns its categories.
std::string TakeEntry(TStringList& list, int index) {
    std::string value = list.ValueFromIndex(index);
    list.Delete(index);
    if (int marker = PosText(StoreIdMarker, value))
        value.resize(marker - 1);
    return value;
}

// The name of the stripped-text entry of a stripped text.
std::string StrippedEntryName(std::string_view Stripped) {
    std::string name;
    name.reserve(Stripped.size());
    for (char c : Stripped)
        if (c != '=')
            name += c;
    return name;
}

void CreateList(std::unique_ptr<TStringList>& list) {
    if (!list)
        list = std::make_unique<TStringList>();
}

} // namespace

void CreatePendingLists() {
    TProgramState& state = ProgramState();
    CreateList(state.SessionEntries);
    CreateList(state.RestoredEntries);
    CreateList(state.StrippedEntries);
}

void FreePendingLists() {
    TProgramState& state = ProgramState();
    state.SessionEntries.reset();
    state.RestoredEntries.reset();
    state.StrippedEntries.reset();
}

std::string GetCategory(const std::string& Key) {
    TProgramState& state = ProgramState();
    for (TStringList* list : {state.RestoredEntries.get(), state.SessionEntries.get()})
        if (int index = FindEntry(list, Key); index >= 0)
            return TakeEntry(*list, index);
    return {};
}

std::string GetCategorySB(const std::string& Stripped) {
    TStringList* list = ProgramState().StrippedEntries.get();
    int index = FindEntry(list, StrippedEntryName(Stripped));
    return index >= 0 ? TakeEntry(*list, index) : std::string();
}

void AddStrippedEntry(const std::string& Stripped, const std::string& Categories) {
    CreateList(ProgramState().StrippedEntries);
    ProgramState().StrippedEntries->Add(StrippedEntryName(Stripped) + "=" + Categories);
}

std::string FilingFolderValue(const std::string& Categories, const std::string& StoreId,
                              const std::string& FolderName) {
    return Categories + StoreIdMarker + StoreId + FolderNameMarker + FolderName;
}

bool PendingEntryFolder(std::string_view Value, std::string& StoreId, std::string& FolderName) {
    int folderMarker = PosText(FolderNameMarker, Value);
    if (!folderMarker || !PosText(StoreIdMarker, Value))
        return false;
    // The name is all that follows its marker, which ends the value: a
    // folder's name may hold a "%" of its own, a store id never does.
    size_t markerEnd = folderMarker - 1 + std::string_view(FolderNameMarker).size();
    FolderName = std::string(Value.substr(markerEnd));
    std::string_view beforeName = Value.substr(0, folderMarker - 1);
    StoreId = std::string(beforeName.substr(LastDelimiter("%", beforeName)));
    return true;
}

std::string PendingFilePath() {
    return LorvaneDataFolder() + "\\" + PendingFileName;
}

void WritePendingFile() {
    TStringList* session = ProgramState().SessionEntries.get();
    if (!session || session->Count() == 0)
        return;
    std::string path = PendingFilePath();
    session->SaveToFile(path);
    ProductTrace(std::to_string(session->Count()) + " pending entries written to " + Quoted(path));
}

void ReadPendingFile() {
    std::string path = PendingFilePath();
    if (!FileExists(path))
        return;
    TProgramState& state = ProgramState();
    CreateList(state.RestoredEntries);
    TStringList lines;
    lines.LoadFromFile(path);
    for (int i = 0; i < lines.Count(); ++i) {
        std::string line = lines[i];
        if (!lines.Names(i).empty())
            state.RestoredEntries->Add(line);
        else if (!Trim(line).empty())
            TQelLog::Log("Pending entry without a name skipped: " + line);
    }
    ProductTrace(std::to_string(state.RestoredEntries->Count()) +
                 " pending entries taken up from " + Quoted(path));
    if (!DeleteFile(path))
        TQelLog::Log("Cannot delete the pending file \"" + path + "\".");
}
