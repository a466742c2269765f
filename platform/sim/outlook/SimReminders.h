// The application's Reminders collection (Outlook 2002 and later) and its
// events (BeforeReminderShow, ReminderAdd, ReminderChange, ReminderFire,
// ReminderRemove, Snooze). A reminder belongs to an item; firing one also
// raises the application's Reminder event with the item.
#pragma once

#include "platform/sim/outlook/SimItem.h"

#include <vector>

namespace sim {

class SimReminder final : public OutlookObject<> {
public:
    static ComPtr<SimReminder> Create(SimApplication* app, ComPtr<SimItem> item);
    SimItem& Item() const noexcept { return *item_; }
    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimReminder(SimApplication* app, ComPtr<SimItem> item);

    ComPtr<SimApplication> app_;
    ComPtr<SimItem> item_;
};

class SimReminders final : public OutlookObject<> {
public:
    static ComPtr<SimReminders> Create(SimApplication* app);

    size_t Count() const noexcept { return list_.size(); }
    // Adds a reminder for item (ReminderAdd).
    ComPtr<SimReminder> Add(ComPtr<SimItem> item);
    // The reminder falls due: BeforeReminderShow (may cancel the showing),
    // ReminderFire and the application's Reminder event.
    void FireReminder(SimReminder& reminder);
    // Removes a reminder (ReminderRemove).
    void Remove(SimReminder& reminder);

    void TearDown() override;

private:
    friend struct ::ComMaker;
    explicit SimReminders(SimApplication* app);

    ComPtr<SimApplication> app_;
    std::vector<ComPtr<SimReminder>> list_;
};

} // namespace sim
