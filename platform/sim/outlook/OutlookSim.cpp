// The driver of the simulated Outlook.
#include "platform/sim/outlook/OutlookSim.h"

#include "platform/sim/outlook/ConversationIndex.h"

namespace sim {

using namespace outlook;

OutlookSim::OutlookSim(int majorVersion) : app_(SimApplication::Create(majorVersion)) {
    app_->NameSpace().AddStore(std::u16string(DefaultStoreName), true);
    running_.Register(app_->Disp());
    app_->OnQuit = [this] {
        running_.Revoke();
        if (OnQuit)
            OnQuit();
    };
    app_->OnWindowShown = [this](SimWindow& window) {
        std::u16string ribbon = RibbonIdOf(window);
        if (OnWindowOpened && !ribbon.empty())
            OnWindowOpened(HostWindow{ribbon, ComPtr<IDispatch>::Share(window.WindowDisp())});
    };
}

OutlookSim::~OutlookSim() {
    running_.Revoke();
    ComPtr<SimApplication> app = std::move(app_);
    app->TearDown();
}

std::u16string OutlookSim::RibbonIdOf(SimWindow& window) {
    if (window.IsExplorer())
        return u"Microsoft.Outlook.Explorer";
    const SimItem& item = static_cast<SimInspector&>(window).CurrentItem();
    switch (item.Kind()) {
    case ItemKind::Mail:
        // A message that was not sent or received is being written.
        return item.Data().Sent || item.Data().ReceivedTime != 0
                   ? u"Microsoft.Outlook.Mail.Read"
                   : u"Microsoft.Outlook.Mail.Compose";
    case ItemKind::Appointment:
        return u"Microsoft.Outlook.Appointment";
    case ItemKind::Task:
        return u"Microsoft.Outlook.Task";
    case ItemKind::MeetingRequest:
        return u"Microsoft.Outlook.MeetingRequest.Read";
    case ItemKind::Report:
        return u"Microsoft.Outlook.Report";
    case ItemKind::Note:
        return {};
    }
    return {};
}

SimulatedCommandBars* OutlookSim::LastingBars() {
    SimExplorers& explorers = app_->Explorers();
    return explorers.Count() > 0 ? &explorers.At(0).CommandBars() : nullptr;
}

std::vector<HostWindow> OutlookSim::Windows() {
    std::vector<HostWindow> windows;
    auto add = [&](SimWindowBase& window) {
        std::u16string ribbon = RibbonIdOf(window);
        if (!ribbon.empty() && !window.IsClosed() && window.WasShown())
            windows.push_back({ribbon, window.DispRef()});
    };
    for (size_t i = 0; i < app_->Explorers().Count(); ++i)
        add(app_->Explorers().At(i));
    for (size_t i = 0; i < app_->Inspectors().Count(); ++i)
        add(app_->Inspectors().At(i));
    return windows;
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

ComPtr<SimFolder> OutlookSim::AddFolder(SimFolder& parent, std::u16string name, int itemType) {
    return parent.AddFolder(std::move(name), itemType);
}

ComPtr<SimItem> OutlookSim::PutItem(SimFolder& folder, ItemKind kind, ItemData data) {
    ComPtr<SimItem> item = SimItem::Create(app_.Get(), kind, std::move(data));
    folder.Items().Store(item, false);
    return item;
}

ComPtr<SimItem> OutlookSim::DeliverMail(ItemData data, SimFolder* folder) {
    ComPtr<SimFolder> target =
        folder ? ComPtr<SimFolder>::Share(folder) : DefaultFolder(olFolderInbox);
    if (data.ReceivedTime == 0)
        data.ReceivedTime = app_->Now();
    // Mail that arrives has been threaded by the sender's mail program.
    if (data.ConversationIndex.empty())
        data.ConversationIndex =
            ConversationIndexText(NewConversationIndex(app_->Now(), GUID::Create()));
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

ComPtr<SimExplorer> OutlookSim::OpenExplorer(SimFolder* folder) {
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

ComPtr<SimPropertyPages> OutlookSim::ShowOptionsDialog() {
    ComPtr<SimPropertyPages> pages = SimPropertyPages::Create(app_.Get());
    app_->RaiseEvent(DISPID_OptionsPagesAdd, {Variant(pages->Disp())});
    return pages;
}

ComPtr<SimPropertyPages> OutlookSim::ShowFolderProperties(SimFolder& folder) {
    ComPtr<SimPropertyPages> pages = SimPropertyPages::Create(app_.Get());
    NameSpace().RaiseEvent(DISPID_OptionsPagesAdd,
                           {Variant(pages->Disp()), Variant(folder.Disp())});
    return pages;
}

ComPtr<SimInspector> OutlookSim::UserRespond(SimItem& item, DISPID how) {
    ComPtr<SimItem> answer = item.Respond(how);
    if (!answer)
        return nullptr;
    return OpenInspector(answer);
}

} // namespace sim
