// What the product's tests and the end-to-end tests both make and read in a
// simulated Outlook: the message the user writes to Ann, what the recipients
// received, what a folder keeps, the windows open on items that are not mail,
// and the texts of the message boxes the scripted user saw.
#pragma once

#include "platform/sim/ModalScript.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/text/Text.h"

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A message to ann@example.com.
inline sim::ItemData MailToAnn(std::u16string subject, std::u16string categories = u"",
                               std::u16string body = u"Hello Ann,\r\nsee you.\r\n") {
    sim::ItemData data;
    data.To = u"ann@example.com";
    data.Subject = std::move(subject);
    data.Body = std::move(body);
    data.Categories = std::move(categories);
    return data;
}

// What the recipients received, as "subject: categories".
inline std::vector<std::string> Delivered(const sim::OutlookSim& outlook) {
    std::vector<std::string> lines;
    for (const sim::ItemData& sent : outlook.Deliveries())
        lines.push_back(text::Narrow(sent.Subject + u": " + sent.Categories));
    return lines;
}

// The items stored in folder, as "subject: categories".
inline std::vector<std::string> Contents(sim::SimFolder& folder) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < folder.Items().Count(); ++i) {
        const sim::ItemData& stored = folder.Items().At(i).Stored();
        lines.push_back(text::Narrow(stored.Subject + u": " + stored.Categories));
    }
    return lines;
}

// The items open in windows that are not mail: the appointments and tasks opened.
inline std::vector<sim::SimItem*> OpenedEntries(const sim::OutlookSim& outlook) {
    std::vector<sim::SimItem*> items;
    sim::SimInspectors& inspectors = outlook.App().Inspectors();
    for (size_t i = 0; i < inspectors.Count(); ++i)
        if (inspectors.At(i).CurrentItem().Kind() != sim::ItemKind::Mail)
            items.push_back(&inspectors.At(i).CurrentItem());
    return items;
}

// The texts of the message boxes and forms the scripted user was shown.
inline std::vector<std::string> ShownTexts(const sim::ModalScript& user) {
    std::vector<std::string> texts;
    for (const forms::ShownDialog& shown : user.Shown())
        texts.push_back(shown.Text);
    return texts;
}

} // namespace testsupport
