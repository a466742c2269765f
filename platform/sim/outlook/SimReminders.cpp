// Reminders of the simulated Outlook.
#include "platform/sim/outlook/SimReminders.h"

#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimMembers.h"
#include "platform/sim/outlook/SimNameSpace.h"

namespace sim {

using namespace outlook;

ComPtr<SimReminder> SimReminder::Create(SimApplication* app, ComPtr<SimItem> item) {
    return MakeComObject<SimReminder>(app, std::move(item));
}

SimReminder::SimReminder(SimApplication* app, ComPtr<SimItem> item)
    : OutlookObject("Reminder"), app_(ComPtr<SimApplication>::Share(app)), item_(std::move(item)) {
    AnswerIid(IID__Reminder);
    AddObjectMembers(Members, app_, olReminder);
    Members.Get("Caption", [this] { return item_->Data().Subject; });
    Members.Get("Item", [this] { return Variant(item_->Disp()); });
    Members.Method("Dismiss", [this] {
        ComPtr<SimReminder> self = ComPtr<SimReminder>::Share(this);
        app_->Reminders().Remove(*this);
    });
}

void SimReminder::TearDown() {
    item_ = nullptr;
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

ComPtr<SimReminders> SimReminders::Create(SimApplication* app) {
    return MakeComObject<SimReminders>(app);
}

SimReminders::SimReminders(SimApplication* app)
    : OutlookObject("Reminders"), app_(ComPtr<SimApplication>::Share(app)) {
    AnswerIid(IID__Reminders);
    Events.Add(DIID_ReminderCollectionEvents);
    AddObjectMembers(Members, app_, olReminders);
    AddListMembers(Members, list_);
}

ComPtr<SimReminder> SimReminders::Add(ComPtr<SimItem> item) {
    ComPtr<SimReminder> reminder = SimReminder::Create(app_.Get(), std::move(item));
    list_.push_back(reminder);
    Fire(DISPID_ReminderAdd, {Variant(reminder->Disp())});
    return reminder;
}

void SimReminders::FireReminder(SimReminder& reminder) {
    ComPtr<SimReminder> hold = ComPtr<SimReminder>::Share(&reminder);
    ComPtr<SimApplication> app = app_;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(DISPID_BeforeReminderShow, {Variant::ByRefBool(&cancel)});
    Fire(DISPID_ReminderFire, {Variant(reminder.Disp())});
    app->RaiseEvent(DISPID_Reminder, {Variant(reminder.Item().Disp())});
}

void SimReminders::Remove(SimReminder& reminder) {
    if (ComPtr<SimReminder> removed = RemoveFromList(list_, reminder))
        Fire(DISPID_ReminderRemove);
}

void SimReminders::TearDown() {
    TearDownList(list_);
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

} // namespace sim
