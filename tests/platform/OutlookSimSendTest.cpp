// Sending with the simulated Outlook: the Send event inside Send and its
// Cancel, the sent copy and its folder's item-added event, categories that
// stay once saved, what the recipients received, and the conversation
// indexes of answers.
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Clock.h"

#include "OutlookTestSupport.h"
#include "tests/support/ComTestSupport.h"

#include <gtest/gtest.h>

using namespace outlook;
using sim::ItemData;
using sim::OutlookSim;

namespace {

class OutlookSend : public ::testing::Test {
protected:
    platform::ManualClockScope clock{45352.5};
    OutlookSim outlook{12};

    // A new mail, as the add-in makes one, addressed and with categories.
    Variant NewMail() {
        Variant mail = dispCall(outlook.Application(), "CreateItem", 0);
        dispPut(mail, "To", u"ann@example.com");
        dispPut(mail, "Subject", u"Quarterly figures");
        dispPut(mail, "Body", u"See the attachment.");
        dispPut(mail, "Categories", u"Finance");
        return mail;
    }
    sim::SimFolder& SentItems() { return *outlook.DefaultFolder(olFolderSentMail); }
};

} // namespace

TEST_F(OutlookSend, SendRaisesTheSendEventInsideTheCall) {
    Variant mail = NewMail();
    AdvisedSink events(mail.AsDispatch().Get(), DIID_ItemEvents_10);
    size_t sentWhenRaised = 99;
    events->OnEvent = [&](DISPID id, std::vector<Variant>&) {
        if (id == DISPID_Send)
            sentWhenRaised = outlook.Deliveries().size();
    };
    dispCall(mail, "Send");
    EXPECT_EQ(sentWhenRaised, 0u); // raised before anything left
    ASSERT_FALSE(events->Events.empty());
    EXPECT_EQ(events->Events[0].Id, DISPID_Send);
    EXPECT_EQ(outlook.Deliveries().size(), 1u);
}

TEST_F(OutlookSend, CancelInTheSendEventSendsNothing) {
    Variant mail = NewMail();
    AdvisedSink events(mail.AsDispatch().Get(), DIID_ItemEvents_10);
    events->OnEvent = [](DISPID id, std::vector<Variant>& args) {
        if (id == DISPID_Send)
            args[0].SetValue(true);
    };
    AdvisedSink sentItems(SentItems().Items().UnknownSelf(), DIID_ItemsEvents);
    dispCall(mail, "Send");
    EXPECT_TRUE(outlook.Deliveries().empty());
    EXPECT_EQ(SentItems().Items().Count(), 0u);
    EXPECT_TRUE(sentItems->Events.empty());
    // The message can still be sent afterwards.
    events->OnEvent = nullptr;
    dispCall(mail, "Send");
    EXPECT_EQ(outlook.Deliveries().size(), 1u);
}

TEST_F(OutlookSend, CancelInTheApplicationsItemSendSendsNothing) {
    Variant mail = NewMail();
    AdvisedSink app(outlook.Application().Get(), DIID_ApplicationEvents_11);
    app->OnEvent = [](DISPID id, std::vector<Variant>& args) {
        if (id == DISPID_ItemSend)
            args[1].SetValue(true);
    };
    dispCall(mail, "Send");
    EXPECT_TRUE(outlook.Deliveries().empty());
    ASSERT_EQ(app->Ids(), std::vector<DISPID>{DISPID_ItemSend});
    EXPECT_TRUE(IsSameObject(app->Events[0].Args[0].AsDispatch().Get(), mail.AsDispatch().Get()));
}

TEST_F(OutlookSend, TheSentCopyArrivesInSentItemsWithTheSameThread) {
    Variant mail = NewMail();
    std::u16string index = Text(dispGet(mail, "ConversationIndex"));
    ASSERT_EQ(index.size(), 44u);
    AdvisedSink sentItems(SentItems().Items().UnknownSelf(), DIID_ItemsEvents);
    dispCall(mail, "Send");

    ASSERT_EQ(sentItems->Ids(), std::vector<DISPID>{DISPID_ItemAdd});
    Variant copy = sentItems->Events[0].Args[0];
    EXPECT_FALSE(IsSameObject(copy.AsDispatch().Get(), mail.AsDispatch().Get()));
    EXPECT_EQ(Text(dispGet(copy, "ConversationIndex")), index);
    EXPECT_EQ(Text(dispGet(copy, "Subject")), u"Quarterly figures");
    EXPECT_EQ(Text(dispGet(copy, "Body")), u"See the attachment.");
    EXPECT_EQ(Text(dispGet(copy, "Categories")), u"Finance"); // as the item had them when sent
    EXPECT_TRUE(dispGet(copy, "Sent").AsBool());
    EXPECT_EQ(dispGet(copy, "Class").AsInteger(), olMail);
    EXPECT_EQ(SentItems().Items().Count(), 1u);
}

TEST_F(OutlookSend, SaveSentMessageFolderOnASecondStoreReceivesTheCopy) {
    auto archive = outlook.AddStore(u"Archive");
    auto nested = outlook.AddFolder(*outlook.AddFolder(*archive, u"Clients"), u"Acme");
    Variant mail = NewMail();
    dispPut(mail, "SaveSentMessageFolder", Variant(nested->Disp()));
    EXPECT_TRUE(
        IsSameObject(dispGet(mail, "SaveSentMessageFolder").AsDispatch().Get(), nested->Disp()));

    AdvisedSink target(nested->Items().UnknownSelf(), DIID_ItemsEvents);
    AdvisedSink sentItems(SentItems().Items().UnknownSelf(), DIID_ItemsEvents);
    dispCall(mail, "Send");
    ASSERT_EQ(target->Ids(), std::vector<DISPID>{DISPID_ItemAdd});
    EXPECT_EQ(Text(dispGet(dispGet(target->Events[0].Args[0], "Parent"), "StoreID")),
              archive->StoreId());
    EXPECT_TRUE(sentItems->Events.empty());
    EXPECT_EQ(nested->Items().Count(), 1u);
}

TEST_F(OutlookSend, CategoriesClearedBeforeTheSendNeverLeave) {
    Variant mail = NewMail();
    // The add-in clears them in the Send event, as it does for Outlook's own Send button.
    AdvisedSink events(mail.AsDispatch().Get(), DIID_ItemEvents_10);
    events->OnEvent = [&](DISPID id, std::vector<Variant>&) {
        if (id == DISPID_Send)
            dispPut(mail, "Categories", u"");
    };
    dispCall(mail, "Send");
    ASSERT_EQ(outlook.Deliveries().size(), 1u);
    EXPECT_EQ(outlook.Deliveries()[0].Categories, u"");
    EXPECT_EQ(outlook.Deliveries()[0].To, u"ann@example.com");
    EXPECT_EQ(SentItems().Items().At(0).Data().Categories, u"");
}

TEST_F(OutlookSend, CategoriesPutOnTheSentCopyAndSavedStay) {
    Variant mail = NewMail();
    dispPut(mail, "Categories", u"");
    AdvisedSink sentItems(SentItems().Items().UnknownSelf(), DIID_ItemsEvents);
    sentItems->OnEvent = [](DISPID id, std::vector<Variant>& args) {
        if (id != DISPID_ItemAdd)
            return;
        dispPut(args[0], "Categories", u"Finance, Q3");
        dispCall(args[0], "Save");
    };
    dispCall(mail, "Send");
    sim::SimItem& copy = SentItems().Items().At(0);
    EXPECT_EQ(copy.Stored().Categories, u"Finance, Q3");
    EXPECT_TRUE(copy.IsSaved());
    EXPECT_EQ(outlook.Deliveries()[0].Categories, u"");
}

TEST_F(OutlookSend, AMessageWithoutRecipientsIsNotSent) {
    Variant mail = NewMail();
    dispPut(mail, "To", u"");
    auto error = ErrorOf<EOleException>([&] { dispCall(mail, "Send"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Message,
              "There must be at least one name or distribution list in the To, Cc, or Bcc box.");
    EXPECT_TRUE(outlook.Deliveries().empty());
    dispPut(mail, "BCC", u"hidden@example.com");
    dispCall(mail, "Send");
    EXPECT_EQ(outlook.Deliveries().size(), 1u);
    EXPECT_EQ(CodeOf([&] { dispCall(mail, "Send"); }), sim::OutlookObjectGone);
}

TEST_F(OutlookSend, ADeleteAfterSubmitMessageLeavesNoCopy) {
    Variant mail = NewMail();
    dispPut(mail, "DeleteAfterSubmit", true);
    dispCall(mail, "Send");
    EXPECT_EQ(outlook.Deliveries().size(), 1u);
    EXPECT_EQ(SentItems().Items().Count(), 0u);
}

TEST_F(OutlookSend, ASavedDraftLeavesDraftsWhenSent) {
    Variant mail = NewMail();
    dispCall(mail, "Save");
    EXPECT_EQ(outlook.DefaultFolder(olFolderDrafts)->Items().Count(), 1u);
    dispCall(mail, "Send");
    EXPECT_EQ(outlook.DefaultFolder(olFolderDrafts)->Items().Count(), 0u);
    EXPECT_EQ(SentItems().Items().Count(), 1u);
}

TEST_F(OutlookSend, PressingTheInspectorsSendButtonSendsAndClosesIt) {
    ItemData data;
    data.To = u"bob@example.com";
    data.Subject = u"Lunch";
    auto inspector = outlook.ComposeNewMail(data);
    AdvisedSink item(inspector->CurrentItem().UnknownSelf(), DIID_ItemEvents_10);
    AdvisedSink window(inspector->UnknownSelf(), DIID_InspectorEvents_10);
    EXPECT_TRUE(outlook.PressSend(*inspector));
    EXPECT_EQ(item->Ids(), std::vector<DISPID>{DISPID_Send});
    EXPECT_EQ(window->Ids(), std::vector<DISPID>{DISPID_WindowClose});
    EXPECT_TRUE(inspector->IsClosed());
    EXPECT_EQ(outlook.App().Inspectors().Count(), 0u);
    EXPECT_EQ(outlook.Deliveries()[0].Subject, u"Lunch");
}

TEST_F(OutlookSend, RepliesExtendTheParentsConversationIndex) {
    ItemData data;
    data.SenderName = u"Ann";
    data.SenderEmailAddress = u"ann@example.com";
    data.To = u"sim.user@example.com; carl@example.com";
    data.CC = u"dora@example.com";
    data.Subject = u"Plans";
    data.ConversationIndex = u"01DA6BCFFC870123456789ABCDEF0123456789ABCDEF";
    auto received = outlook.DeliverMail(data);
    Variant original(received->Disp());

    Variant reply = dispCall(original, "Reply");
    std::u16string replyIndex = Text(dispGet(reply, "ConversationIndex"));
    EXPECT_EQ(replyIndex.size(), 54u);
    EXPECT_EQ(replyIndex.substr(0, 44), data.ConversationIndex);
    EXPECT_EQ(Text(dispGet(reply, "Subject")), u"RE: Plans");
    EXPECT_EQ(Text(dispGet(reply, "To")), u"ann@example.com");

    Variant replyAll = dispCall(original, "ReplyAll");
    EXPECT_EQ(Text(dispGet(replyAll, "To")),
              u"ann@example.com; sim.user@example.com; carl@example.com");
    EXPECT_EQ(Text(dispGet(replyAll, "CC")), u"dora@example.com");
    Variant forward = dispCall(original, "Forward");
    EXPECT_EQ(Text(dispGet(forward, "Subject")), u"FW: Plans");
    EXPECT_EQ(Text(dispGet(forward, "To")), u"");

    // An answer to the answer extends it again, after it was sent.
    dispCall(reply, "Send");
    sim::SimItem& sentReply = SentItems().Items().At(0);
    EXPECT_EQ(sentReply.Data().ConversationIndex, replyIndex);
    Variant second = dispCall(sentReply.Disp(), "Reply");
    EXPECT_EQ(Text(dispGet(second, "ConversationIndex")).substr(0, 54), replyIndex);
    EXPECT_EQ(Text(dispGet(second, "ConversationIndex")).size(), 64u);
    EXPECT_EQ(Text(dispGet(second, "Subject")), u"RE: Plans"); // one prefix only
    EXPECT_EQ(Text(dispGet(second, "To")), u"ann@example.com");
}

TEST_F(OutlookSend, AnswerEventsCarryTheNewItemAndMayCancel) {
    auto received = outlook.DeliverMail({});
    AdvisedSink events(received->UnknownSelf(), DIID_ItemEvents_10);
    events->OnEvent = [](DISPID id, std::vector<Variant>& args) {
        if (id == DISPID_Forward)
            args[1].SetValue(true);
    };
    Variant reply = dispCall(received->Disp(), "Reply");
    ASSERT_EQ(events->Ids(), std::vector<DISPID>{DISPID_Reply});
    EXPECT_TRUE(
        IsSameObject(events->Events[0].Args[0].AsDispatch().Get(), reply.AsDispatch().Get()));
    dispCall(received->Disp(), "ReplyAll");
    EXPECT_EQ(CodeOf([&] { dispCall(received->Disp(), "Forward"); }), E_ABORT);
    EXPECT_EQ(events->Ids(), (std::vector<DISPID>{DISPID_Reply, DISPID_ReplyAll, DISPID_Forward}));
    EXPECT_FALSE(outlook.UserRespond(*received, DISPID_Forward));
    EXPECT_EQ(outlook.App().Inspectors().Count(), 0u);
}

TEST(OutlookSendVersions, NewMailHasAnIndexFromOutlook2007On) {
    for (int major : {11, 12, 14, 16}) {
        OutlookSim outlook(major);
        Variant mail = dispCall(outlook.Application(), "CreateItem", 0);
        EXPECT_EQ(Text(dispGet(mail, "ConversationIndex")).size(), major >= 12 ? 44u : 0u) << major;
        // Without an index the sent copy has none either; an answer starts one.
        dispPut(mail, "To", u"x@example.com");
        dispCall(mail, "Send");
        sim::SimItem& copy = outlook.DefaultFolder(olFolderSentMail)->Items().At(0);
        EXPECT_EQ(copy.Data().ConversationIndex.size(), major >= 12 ? 44u : 0u);
        EXPECT_EQ(Text(dispGet(dispCall(copy.Disp(), "Reply"), "ConversationIndex")).size(),
                  major >= 12 ? 54u : 44u);
    }
}
