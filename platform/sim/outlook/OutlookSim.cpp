// The driver of the simulated Outlook.
#include "platform/sim/outlook/OutlookSim.h"

namespace sim {

using namespace outlook;

OutlookSim::OutlookSim(int majorVersion) : app_(SimApplication::Create(majorVersion)) {
    app_->NameSpace().AddStore(std::u16string(DefaultStoreName), true);
}

OutlookSim::~OutlookSim() {
    ComPtr<SimApplication> app = std::move(app_);
    app->TearDown();
}

ComPtr<SimFolder> OutlookSim::DefaultStore() const {
    return ComPtr<SimFolder>::Share(&NameSpace().Folders().At(0));
}

ComPtr<SimFolder> OutlookSim::DefaultFolder(int which) const {
    return NameSpace().DefaultFolder(which);
}

ComPtr<SimFolder> OutlookSim::AddStore(std::u16string name, bool defaultFolders) {
    return NameSpace().AddStore(std::move(name), defaultFolders);
}

ComPtr<SimFolder> OutlookSim::AddFolder(SimFolder &parent, std::u16string name, int itemType) {
    return parent.AddFolder(std::move(name), itemType);
}

ComPtr<SimItem> OutlookSim::PutItem(SimFolder &folder, ItemKind kind, ItemData data) {
    ComPtr<SimItem> item = SimItem::Create(app_.Get(), kind, std::move(data));
    folder.Items().Store(item, false);
    return item;
}

ComPtr<SimItem> OutlookSim::DeliverMail(ItemData data, SimFolder *folder) {
    ComPtr<SimFolder> target =
        folder ? ComPtr<SimFolder>::Share(folder) : DefaultFolder(olFolderInbox);
    if (data.ReceivedTime == 0)
        data.ReceivedTime = app_->Now();
    data.UnRead = true;
    ComPtr<SimItem> item = SimItem::Create(app_.Get(), ItemKind::Mail, std::move(data));
    target->Items().Store(item, true);
    app_->RaiseEvent(DISPID_NewMail);
    app_->RaiseEvent(DISPID_NewMailEx, {Variant(item->EntryId())});
    return item;
}

ComPtr<SimItem> OutlookSim::NewItem(ItemKind kind, ItemData data) {
    return SimItem::Create(app_.Get(), kind, std::move(data));
}

ComPtr<SimExplorer> OutlookSim::OpenExplorer(SimFolder *folder) {
    ComPtr<SimFolder> shown =
        folder ? ComPtr<SimFolder>::Share(folder) : DefaultFolder(olFolderInbox);
    ComPtr<SimExplorer> explorer = app_->Explorers().Add(shown);
    explorer->Display();
    return explorer;
}

ComPtr<SimInspector> OutlookSim::OpenInspector(ComPtr<SimItem> item) {
    ComPtr<SimInspector> inspector = app_->Inspectors().InspectorFor(*item);
    inspector->Display();
    return inspector;
}

ComPtr<SimInspector> OutlookSim::ComposeNewMail(ItemData data) {
    ComPtr<SimItem> item = app_->CreateItem(olMailItem);
    // The values given replace the new item's, except its conversation index
    // when none is given.
    if (data.ConversationIndex.empty())
        data.ConversationIndex = item->Data().ConversationIndex;
    data.MessageClass = item->Data().MessageClass;
    data.CreationTime = item->Data().CreationTime;
    data.LastModificationTime = item->Data().LastModificationTime;
    item->MutableData() = std::move(data);
    return OpenInspector(item);
}

ComPtr<SimInspector> OutlookSim::UserRespond(SimItem &item, DISPID how) {
    ComPtr<SimItem> answer = item.Respond(how);
    if (!answer)
        return nullptr;
    return OpenInspector(answer);
}

} // namespace sim
