// Setting up the machine before anything touches the registry.
#include "SimulatedMachine.h"

#include "platform/rtl/Exception.h"
#include "platform/sim/office/OfficeHostSim.h"
#include "platform/sim/outlook/OutlookRegistration.h"
#include "platform/win/PlatformHome.h"
#include "platform/win/Registry.h"
#include "platform/win/ShellFolders.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

SimulatedMachine::SimulatedMachine(const std::string& folder, bool temporary) {
    if (!folder.empty()) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (!fs::is_directory(folder))
            throw Exception("The machine folder \"" + folder + "\" cannot be made.");
        folder_ = fs::absolute(folder).lexically_normal().string();
        platform::SetPlatformHome(folder_);
    } else if (temporary) {
        std::string pattern = (fs::temp_directory_path() / "lorvane-host-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw Exception("No temporary machine folder can be made.");
        folder_ = pattern;
        temporary_ = true;
        platform::SetPlatformHome(folder_);
    } else {
        folder_ = platform::PlatformHome();
    }
    platform::RegistryBatch batch;
    sim::InstallOutlook(OutlookVersion);
    // The other Office hosts are installed too, so that an add-in registers
    // for them and a script can start them.
    for (sim::OfficeHostKind kind : sim::AllOfficeHostKinds())
        sim::InstallOfficeHost(kind, OutlookVersion);
    batch.Commit();
}

SimulatedMachine::~SimulatedMachine() {
    if (temporary_) {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
}

std::string SimulatedMachine::AddInDataFolder() const {
    // Where the add-in keeps its files: "LorvaneOL" in the local application data.
    return platform::LocalAppDataFolder() + "/LorvaneOL";
}

std::string SimulatedMachine::AddInLogFile() const {
    return AddInDataFolder() + "/ZubLogFile.txt";
}
