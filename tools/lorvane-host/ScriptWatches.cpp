// Each watch compares what it sees now with what it saw at the last mark.
#include "ScriptWatches.h"

#include "Mailbox.h"
#include "MailboxPrinter.h"

#include "platform/text/Text.h"

namespace {

void AddItems(const sim::SimFolder& folder, std::map<std::u16string, std::string>& items) {
    std::string path = text::Narrow(PathOf(folder));
    for (size_t i = 0; i < folder.Items().Count(); ++i) {
        const sim::SimItem& item = folder.Items().At(i);
        items[item.EntryId()] = path + ": " + DescribeItem(item);
    }
    for (size_t i = 0; i < folder.Folders().Count(); ++i)
        AddItems(folder.Folders().At(i), items);
}

} // namespace

std::map<std::u16string, std::string> MailboxWatch::Items() {
    std::map<std::u16string, std::string> items;
    sim::SimFolders& stores = outlook_().NameSpace().Folders();
    for (size_t i = 0; i < stores.Count(); ++i)
        AddItems(stores.At(i), items);
    return items;
}

std::vector<std::string> MailboxWatch::Changes() {
    std::map<std::u16string, std::string> now = Items();
    std::vector<std::string> changes;
    for (const auto& [id, line] : items_) {
        auto found = now.find(id);
        if (found == now.end())
            changes.push_back("- " + line);
        else if (found->second != line)
            changes.push_back("~ " + found->second);
    }
    for (const auto& [id, line] : now)
        if (!items_.count(id))
            changes.push_back("+ " + line);
    return changes;
}

std::vector<std::string> DeliveryWatch::Changes() {
    std::vector<sim::ItemData> all = deliveries_();
    std::vector<std::string> lines;
    for (size_t i = seen_; i < all.size(); ++i)
        lines.push_back(DescribeDelivery(all[i]));
    return lines;
}

std::vector<std::pair<HWND, std::string>> WindowWatch::Windows() {
    std::vector<std::pair<HWND, std::string>> windows;
    sim::SimApplication& app = outlook_().App();
    auto add = [&](sim::SimWindowBase& window) {
        if (!window.IsClosed() && window.WasShown())
            windows.emplace_back(window.Handle(), DescribeWindow(window));
    };
    for (size_t i = 0; i < app.Explorers().Count(); ++i)
        add(app.Explorers().At(i));
    for (size_t i = 0; i < app.Inspectors().Count(); ++i)
        add(app.Inspectors().At(i));
    return windows;
}

std::vector<std::string> WindowWatch::Changes() {
    std::vector<std::pair<HWND, std::string>> now = Windows();
    auto has = [](const auto& list, HWND window) {
        for (const auto& entry : list)
            if (entry.first == window)
                return true;
        return false;
    };
    std::vector<std::string> changes;
    for (const auto& [window, line] : windows_)
        if (!has(now, window))
            changes.push_back("- " + line);
    for (const auto& [window, line] : now)
        if (!has(windows_, window))
            changes.push_back("+ " + line);
    return changes;
}
