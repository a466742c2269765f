// The end-to-end tests' Outlook: version 12 installed on a machine of its own,
// running with its main window, played by the host driver, with a scripted
// user whom no dialog may reach; an add-in library is registered before each
// test, as an installer registers it.
#pragma once

#include "tests/e2e/E2eSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/forms/ModalDriver.h"
#include "platform/sim/HostDriver.h"
#include "platform/sim/ModalScript.h"
#include "platform/sim/outlook/OutlookSim.h"

#include <string>
#include <utility>

namespace e2e {

class OutlookWithAddIn : public ::testing::Test {
protected:
    // Outlook with the add-in progId of the library at libraryPath.
    OutlookWithAddIn(std::string libraryPath, std::string progId)
        : libraryPath_(std::move(libraryPath)), progId_(std::move(progId)) {}

    void SetUp() override {
        sim::InstallOutlook(12);
        ASSERT_EQ(CallEntryPoint("DllRegisterServer", libraryPath_), S_OK);
        outlook.OpenExplorer();
    }
    void TearDown() override {
        EXPECT_TRUE(user.Shown().empty()) << sim::ModalScript::Describe(user.Shown().front());
    }

    // The add-in was disconnected and its library unloaded, with nothing of it alive.
    void ExpectUnloaded() {
        sim::HostedAddIn* addIn = driver.Find(progId_);
        ASSERT_NE(addIn, nullptr);
        EXPECT_FALSE(addIn->Connected);
        EXPECT_EQ(addIn->CanUnloadNow, S_OK);
        EXPECT_TRUE(addIn->Library == nullptr);
        EXPECT_TRUE(GetModuleHandle(libraryPath_.c_str()) == nullptr);
    }

    std::string libraryPath_;
    std::string progId_;
    TempPlatformHome home;
    sim::ModalScript user;
    forms::ScopedModalDriver userInstalled{user};
    sim::OutlookSim outlook{12};
    sim::HostDriver driver{outlook};
};

} // namespace e2e
