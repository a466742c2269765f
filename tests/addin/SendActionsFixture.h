// What the tests of the send actions share: the product started in a
// simulated Outlook with a second store, messages composed in a window of
// their own, and readers of what ended where.
#pragma once

#include "tests/addin/AddInSession.h"
#include "tests/addin/ProductTestSupport.h"
#include "tests/support/OutlookReaders.h"

#include "platform/forms/Screen.h"
#include "platform/text/Text.h"

#include <algorithm>

class SendActionsTest : public ProductTest {
protected:
    using Lines = std::vector<std::string>;

    SendActionsTest() {
        archive = outlook->AddStore(u"Archive");
        projects = outlook->AddFolder(*archive, u"Projects");
        clients = outlook->AddFolder(*outlook->DefaultStore(), u"Clients");
        sentItems = outlook->DefaultFolder(outlook::olFolderSentMail);
        session = std::make_unique<AddInSession>(*outlook);
    }
    ~SendActionsTest() override {
        session.reset();
        sentItems = clients = projects = archive = nullptr;
        outlook.reset();
        EXPECT_EQ(sim::OutlookSim::LiveObjects(), 0);
    }

    TAddInModule& Module() const { return session->Module(); }

    // A message to ann@example.com.
    static sim::ItemData Mail(std::u16string subject, std::u16string categories = u"",
                              std::u16string body = u"Hello Ann,\r\nsee you.\r\n") {
        return testsupport::MailToAnn(std::move(subject), std::move(categories), std::move(body));
    }
    // The user writes a message in a window of its own (now the active inspector).
    ComPtr<sim::SimInspector> Compose(sim::ItemData data) {
        return outlook->ComposeNewMail(std::move(data));
    }
    // Folder record Index names folder, as the folder picker gives it.
    static void SetFolderRecord(int index, sim::SimFolder& folder, const std::string& path) {
        std::string store = text::Narrow(folder.Store().DisplayName);
        ProgramState().FolderRecords[index] = {store, store, text::Narrow(folder.StoreId()), path};
    }
    // The items stored in folder, as "subject: categories".
    static Lines Contents(sim::SimFolder& folder) { return testsupport::Contents(folder); }
    // What the recipients received, as "subject: categories".
    Lines Delivered() const { return testsupport::Delivered(*outlook); }
    // This session's pending entries.
    static Lines Entries() {
        Lines lines;
        const std::unique_ptr<TStringList>& list = ProgramState().SessionEntries;
        for (int i = 0; list && i < list->Count(); ++i)
            lines.push_back((*list)[i]);
        return lines;
    }
    // The texts of the message boxes shown.
    Lines Boxes() const { return testsupport::ShownTexts(user); }
    // The log's lines without their date.
    static Lines Log() {
        Lines lines;
        for (const std::string& line : LogLines())
            lines.push_back(line.substr(line.find(" - ") + 3));
        return lines;
    }
    // The log's lines that are not start-up notes.
    static Lines LogAfterStart() {
        Lines lines = Log();
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const std::string& line) {
                                       return line.rfind("adxCOMAddInModule", 0) == 0;
                                   }),
                    lines.end());
        return lines;
    }
    // The windows open on items other than mail: the appointments and tasks opened.
    std::vector<sim::SimItem*> OpenedEntries() const {
        return testsupport::OpenedEntries(*outlook);
    }

    std::unique_ptr<sim::OutlookSim> outlook = std::make_unique<sim::OutlookSim>(12);
    ComPtr<sim::SimFolder> archive, projects, clients, sentItems;
    std::unique_ptr<AddInSession> session;
};
