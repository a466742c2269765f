// Lines for items, windows and folders.
#include "MailboxPrinter.h"

#include "Mailbox.h"
#include "ScriptText.h"

#include "platform/rtl/DateFormat.h"
#include "platform/text/Text.h"

using sim::ItemKind;
using text::Narrow;

namespace {

std::string Quoted(const std::u16string& text) {
    return InQuotes(Narrow(text));
}

bool IsReceived(const sim::ItemData& data) {
    return !data.Sent && data.ReceivedTime != 0;
}

const char* KindName(ItemKind kind) {
    switch (kind) {
    case ItemKind::Mail:
        return "";
    case ItemKind::Appointment:
        return "appointment ";
    case ItemKind::Task:
        return "task ";
    case ItemKind::Note:
        return "note ";
    case ItemKind::MeetingRequest:
        return "meeting request ";
    case ItemKind::Report:
        return "report ";
    }
    return "";
}

// " to a cc b" (the parts that are not empty).
std::string Addresses(const sim::ItemData& data) {
    std::string line;
    if (!data.To.empty())
        line += " to " + Narrow(data.To);
    if (!data.CC.empty())
        line += " cc " + Narrow(data.CC);
    if (!data.BCC.empty())
        line += " bcc " + Narrow(data.BCC);
    return line;
}

std::string Date(TDateTime when) {
    return DateTimeToStr(when);
}

void AddFolder(const sim::SimFolder& folder, const std::string& indent,
               std::vector<std::string>& lines) {
    lines.push_back(indent + Narrow(folder.Name()));
    for (size_t i = 0; i < folder.Items().Count(); ++i)
        lines.push_back(indent + "  " + DescribeItem(folder.Items().At(i)));
    for (size_t i = 0; i < folder.Folders().Count(); ++i)
        AddFolder(folder.Folders().At(i), indent + "  ", lines);
}

} // namespace

std::string DescribeItemData(ItemKind kind, const sim::ItemData& data) {
    std::string line = KindName(kind) + Quoted(data.Subject);
    if (kind == ItemKind::Mail) {
        if (IsReceived(data))
            line += " from " + Narrow(data.SenderEmailAddress.empty() ? data.SenderName
                                                                      : data.SenderEmailAddress);
        else
            line += Addresses(data);
    }
    if (kind == ItemKind::Task)
        line += " start " + Date(data.StartDate) + " due " + Date(data.DueDate);
    if (!data.Categories.empty())
        line += " [" + Narrow(data.Categories) + "]";
    return line;
}

std::string DescribeItem(const sim::SimItem& item) {
    std::string saved = DescribeItemData(item.Kind(), item.Stored());
    std::string now = DescribeItemData(item.Kind(), item.Data());
    return now == saved ? saved : saved + " (not saved: " + now + ")";
}

std::string DescribeDelivery(const sim::ItemData& sent) {
    std::string to = Addresses(sent);
    std::string line = (to.empty() ? "nobody" : to.substr(1)) + ": " + Quoted(sent.Subject);
    return line + (sent.Categories.empty() ? " without categories"
                                           : " with categories " + Quoted(sent.Categories));
}

std::string DescribeWindow(sim::SimWindowBase& window) {
    if (window.IsExplorer()) {
        auto& explorer = static_cast<sim::SimExplorer&>(window);
        std::string line = "explorer on " + Narrow(PathOf(*explorer.CurrentFolder()));
        for (size_t i = 0; i < explorer.Selection().size(); ++i)
            line += (i ? ", " : ", selected ") + Quoted(explorer.Selection()[i]->Data().Subject);
        return line;
    }
    const sim::SimItem& item = static_cast<sim::SimInspector&>(window).CurrentItem();
    const sim::ItemData& data = item.Data();
    bool written = item.Kind() == ItemKind::Mail && !data.Sent && !IsReceived(data);
    return (written                         ? "new message "
            : item.Kind() == ItemKind::Mail ? "message "
                                            : "") +
           DescribeItemData(item.Kind(), data) + (item.IsSaved() ? "" : " (not saved)");
}

std::vector<std::string> FolderTreeLines(const sim::SimFolder& folder) {
    std::vector<std::string> lines;
    AddFolder(folder, "", lines);
    return lines;
}

std::vector<std::string> WindowLines(sim::OutlookSim& outlook) {
    std::vector<std::string> lines;
    sim::SimWindow* active = outlook.App().ActiveWindow();
    auto add = [&](sim::SimWindowBase& window) {
        if (!window.IsClosed() && window.WasShown())
            lines.push_back(DescribeWindow(window) +
                            (static_cast<sim::SimWindow*>(&window) == active ? " (active)" : ""));
    };
    for (size_t i = 0; i < outlook.App().Explorers().Count(); ++i)
        add(outlook.App().Explorers().At(i));
    for (size_t i = 0; i < outlook.App().Inspectors().Count(); ++i)
        add(outlook.App().Inspectors().At(i));
    return lines;
}
