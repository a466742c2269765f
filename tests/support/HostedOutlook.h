// Outlook as the host driver plays it, on a machine of its own, for the
// end-to-end tests and the product benchmark: the manual clock, a scripted
// user, Outlook installed with a second store "Archive" holding "Projects",
// an add-in library registered as an installer registers it, and the driver
// loading the add-ins at start, following the windows that open and
// quitting. What went wrong is returned or raised, never asserted: a test
// checks it, the benchmark stops on it.
#pragma once

#include "tests/support/EntryPoints.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/forms/ModalDriver.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"
#include "platform/sim/HostDriver.h"
#include "platform/sim/ModalScript.h"
#include "platform/sim/outlook/OutlookRegistration.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Clock.h"
#include "platform/win/Window.h"

#include <memory>
#include <string>
#include <vector>

class HostedOutlook {
public:
    // Outlook of that version installed with the library at libraryPath
    // registered, a second store Archive holding Projects, and its explorer
    // open. Raises when the library cannot be registered.
    void MakeOutlook(const std::string& libraryPath, int version = 12) {
        sim::InstallOutlook(version);
        std::string why;
        if (CallLibraryEntryPoint("DllRegisterServer", libraryPath, &why) != S_OK)
            throw Exception("Cannot register " + libraryPath + ". " + why);
        outlook = std::make_unique<sim::OutlookSim>(version);
        archive = outlook->AddStore(u"Archive");
        projects = outlook->AddFolder(*archive, u"Projects");
        sentItems = outlook->DefaultFolder(outlook::olFolderSentMail);
        explorer = outlook->OpenExplorer();
    }
    // Outlook starts and loads its add-ins; true when progId is connected.
    bool Start(const std::string& progId) {
        driver = std::make_unique<sim::HostDriver>(*outlook);
        outlook->OnWindowOpened = [this](const sim::HostWindow& window) {
            driver->OpenWindow(window);
        };
        driver->Start();
        return driver->Find(progId) && driver->Find(progId)->Connected;
    }
    // The user quits Outlook; the driver's failures on the way.
    std::vector<std::string> Quit() {
        outlook->OnWindowOpened = nullptr;
        driver->Quit();
        return driver->Failures();
    }
    // Lets the add-ins' timers due within ms milliseconds run.
    static void Wait(DWORD ms) {
        platform::AdvanceClock(ms);
        platform::ProcessMessages();
    }
    // The user writes a message in a window of its own; the add-ins' timers
    // run as time passes.
    ComPtr<sim::SimInspector> Compose(sim::ItemData data) {
        ComPtr<sim::SimInspector> window = outlook->ComposeNewMail(std::move(data));
        Wait(100);
        return window;
    }
    // The user clicks a button of progId's ribbon for ribbonId in the window
    // in front; false when the add-in shows no such ribbon.
    bool Click(const std::string& progId, std::u16string_view ribbonId, const std::string& id) {
        sim::RibbonHost* ribbon = driver->Ribbon(progId, ribbonId);
        if (!ribbon)
            return false;
        ribbon->Click(id);
        return true;
    }
    // Drops the driver and Outlook, with everything of them held here.
    void Close() {
        driver.reset();
        explorer = nullptr;
        sentItems = projects = archive = nullptr;
        outlook.reset();
    }
    ~HostedOutlook() { Close(); }

    TempPlatformHome home;
    platform::ManualClockScope clock{EncodeDateTime(2026, 12, 7, 9, 0, 0, 0)};
    sim::ModalScript user;
    forms::ScopedModalDriver userInstalled{user};
    std::unique_ptr<sim::OutlookSim> outlook;
    std::unique_ptr<sim::HostDriver> driver;
    ComPtr<sim::SimFolder> archive, projects, sentItems;
    ComPtr<sim::SimExplorer> explorer;
};
