// Folder paths walked name by name, and the stores copied folder by folder.
#include "Mailbox.h"

#include "ScriptText.h"

#include "platform/text/Text.h"

using sim::SimFolder;
using sim::SimItem;

namespace {

std::vector<std::u16string> SplitPath(std::u16string_view path) {
    std::vector<std::u16string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = path.find(u'\\', start);
        parts.emplace_back(
            path.substr(start, end == std::u16string_view::npos ? end : end - start));
        if (end == std::u16string_view::npos)
            return parts;
        start = end + 1;
    }
}

ComPtr<SimFolder> FindStore(sim::OutlookSim& outlook, std::u16string_view name) {
    sim::SimFolders& stores = outlook.NameSpace().Folders();
    for (size_t i = 0; i < stores.Count(); ++i)
        if (text::SameText(stores.At(i).Name(), name))
            return ComPtr<SimFolder>::Share(&stores.At(i));
    return nullptr;
}

std::string Shown(std::u16string_view path) {
    return ScriptQuoted(text::Narrow(path));
}

FolderImage ImageOf(const SimFolder& folder) {
    FolderImage image{folder.Name(), folder.DefaultItemType(), {}, {}};
    for (size_t i = 0; i < folder.Items().Count(); ++i) {
        const SimItem& item = folder.Items().At(i);
        image.Items.emplace_back(item.Kind(), item.Stored());
    }
    for (size_t i = 0; i < folder.Folders().Count(); ++i)
        image.Folders.push_back(ImageOf(folder.Folders().At(i)));
    return image;
}

// Makes the folders of image below folder that it lacks.
void RestoreFolders(sim::OutlookSim& outlook, SimFolder& folder, const FolderImage& image) {
    for (const FolderImage& sub : image.Folders) {
        ComPtr<SimFolder> target = folder.FindFolder(sub.Name);
        if (!target)
            target = outlook.AddFolder(folder, sub.Name, sub.ItemType);
        RestoreFolders(outlook, *target, sub);
    }
}

// Puts the items of image, and of its folders, back.
void RestoreItems(sim::OutlookSim& outlook, SimFolder& folder, const FolderImage& image) {
    for (const auto& [kind, data] : image.Items)
        outlook.PutItem(folder, kind, data);
    for (const FolderImage& sub : image.Folders)
        RestoreItems(outlook, *folder.FindFolder(sub.Name), sub);
}

} // namespace

ComPtr<SimFolder> FindFolderByPath(sim::OutlookSim& outlook, std::u16string_view path) {
    std::vector<std::u16string> parts = SplitPath(path);
    ComPtr<SimFolder> folder = FindStore(outlook, parts.front());
    for (size_t i = 1; folder && i < parts.size(); ++i)
        folder = folder->FindFolder(parts[i]);
    return folder;
}

ComPtr<SimFolder> MakeFolderPath(sim::OutlookSim& outlook, std::u16string_view path) {
    std::vector<std::u16string> parts = SplitPath(path);
    ComPtr<SimFolder> folder = FindStore(outlook, parts.front());
    if (!folder)
        throw EScriptError("there is no store " + Shown(parts.front()));
    for (size_t i = 1; i < parts.size(); ++i) {
        if (parts[i].empty())
            throw EScriptError("the folder path " + Shown(path) + " has an empty name");
        ComPtr<SimFolder> next = folder->FindFolder(parts[i]);
        folder = next ? next : outlook.AddFolder(*folder, parts[i]);
    }
    return folder;
}

ComPtr<SimFolder> FolderByPath(sim::OutlookSim& outlook, std::u16string_view path) {
    ComPtr<SimFolder> folder = FindFolderByPath(outlook, path);
    if (!folder)
        throw EScriptError("there is no folder " + Shown(path));
    return folder;
}

std::u16string PathOf(const SimFolder& folder) {
    std::u16string path = folder.Name();
    for (const SimFolder* above = folder.ParentFolder(); above; above = above->ParentFolder())
        path = above->Name() + u"\\" + path;
    return path;
}

ComPtr<SimItem> ItemBySubject(SimFolder& folder, std::u16string_view subject) {
    for (size_t i = 0; i < folder.Items().Count(); ++i)
        if (text::SameText(folder.Items().At(i).Data().Subject, subject))
            return ComPtr<SimItem>::Share(&folder.Items().At(i));
    throw EScriptError("there is no item " + Shown(subject) + " in " + Shown(PathOf(folder)));
}

void SetMessageFields(sim::ItemData& data, const std::map<std::string, std::string>& fields) {
    static const std::pair<const char*, std::u16string sim::ItemData::*> Fields[] = {
        {"to", &sim::ItemData::To},     {"cc", &sim::ItemData::CC},
        {"bcc", &sim::ItemData::BCC},   {"subject", &sim::ItemData::Subject},
        {"body", &sim::ItemData::Body}, {"categories", &sim::ItemData::Categories}};
    for (const auto& [name, field] : Fields) {
        auto given = fields.find(name);
        if (given != fields.end())
            data.*field = text::Wide(given->second);
    }
}

MailboxImage TakeMailboxImage(sim::OutlookSim& outlook) {
    MailboxImage image;
    sim::SimFolders& stores = outlook.NameSpace().Folders();
    for (size_t i = 0; i < stores.Count(); ++i) {
        SimFolder& top = stores.At(i);
        bool special = outlook.NameSpace().DefaultFolderOf(top, outlook::olFolderInbox) != nullptr;
        image.push_back({ImageOf(top), special});
    }
    return image;
}

void RestoreMailboxImage(sim::OutlookSim& outlook, const MailboxImage& image) {
    // Every folder before any item: the simulated Outlook numbers entry ids
    // in the order things are made, and a store on disk keeps its folders'
    // ids from one start to the next, so that the folders come back with the
    // ids they had whenever a script made its folders before its messages.
    std::vector<ComPtr<SimFolder>> tops;
    for (const StoreImage& store : image) {
        ComPtr<SimFolder> top = FindStore(outlook, store.Top.Name);
        if (!top)
            top = outlook.AddStore(store.Top.Name, store.SpecialFolders);
        RestoreFolders(outlook, *top, store.Top);
        tops.push_back(top);
    }
    for (size_t i = 0; i < image.size(); ++i)
        RestoreItems(outlook, *tops[i], image[i].Top);
}
