// Outlook and the driver are wired both ways: a window the user opens later
// gets the add-ins' ribbons through the driver.
#include "OutlookSession.h"

#include "SimulatedMachine.h"

namespace {

// The session's own clock, unless a manual one runs already.
std::optional<platform::ManualClockScope> StartClock() {
    if (platform::IsManualClock())
        return std::nullopt;
    return std::optional<platform::ManualClockScope>(std::in_place, Now());
}

} // namespace

OutlookSession::OutlookSession(std::string addInProgId)
    : addInProgId_(std::move(addInProgId)), clock_(StartClock()), userInstalled_(user_),
      outlook_(std::make_unique<sim::OutlookSim>(SimulatedMachine::OutlookVersion)) {
    outlook_->OpenExplorer();
    driver_ = std::make_unique<sim::HostDriver>(*outlook_);
    outlook_->OnWindowOpened = [this](const sim::HostWindow& window) {
        driver_->OpenWindow(window);
    };
}

OutlookSession::~OutlookSession() {
    outlook_->OnWindowOpened = nullptr;
    driver_.reset();
    outlook_.reset();
}

void OutlookSession::Start() {
    driver_->Start();
}

void OutlookSession::Quit() {
    outlook_->OnWindowOpened = nullptr;
    driver_->Quit();
}

sim::HostedAddIn* OutlookSession::AddIn() {
    return driver_->Find(addInProgId_);
}
