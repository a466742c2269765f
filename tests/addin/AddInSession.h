// The product's add-in in a simulated Outlook, connected as Outlook connects
// it: a session starts with the connection and the start-up complete call
// and ends with begin shutdown and the disconnection (or with Outlook's
// quit). Restarting Outlook is a new session over the same data folder.
#pragma once

#include "addin/LorvaneOL_IMPL.h"
#include "addin/settings/ProgramState.h"
#include "platform/com/SafeArray.h"
#include "platform/forms/Timer.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Clock.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

class AddInSession {
public:
    // Connects a new add-in object to outlook and completes its start-up.
    explicit AddInSession(sim::OutlookSim& outlook) {
        EXPECT_EQ(LorvaneServer()
                      .FindFactory(CLASS_coLorvaneOL)
                      ->CreateInstance(nullptr, IDTExtensibility2::Iid, addIn_.ReceiveVoid()),
                  S_OK);
        EXPECT_EQ(
            addIn_->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, &custom_),
            S_OK);
        EXPECT_EQ(addIn_->OnStartupComplete(&custom_), S_OK);
        module_ = ProgramState().Module;
    }
    // Ends the session unless it has ended.
    ~AddInSession() { End(); }
    AddInSession(const AddInSession&) = delete;
    AddInSession& operator=(const AddInSession&) = delete;

    // The product's module while connected.
    TAddInModule& Module() const { return *module_; }
    // Outlook shuts down: begin shutdown, then the disconnection.
    void End() {
        if (!addIn_)
            return;
        EXPECT_EQ(addIn_->OnBeginShutdown(&custom_), S_OK);
        EXPECT_EQ(addIn_->OnDisconnection(ext_dm_HostShutdown, &custom_), S_OK);
        addIn_ = {};
        module_ = nullptr;
    }

private:
    ComPtr<IDTExtensibility2> addIn_;
    SafeArray custom_;
    TAddInModule* module_ = nullptr;
};

// Lets the window timers due within ms milliseconds fire.
inline void RunTimers(DWORD ms) {
    platform::AdvanceClock(ms);
    platform::ProcessMessages();
}
