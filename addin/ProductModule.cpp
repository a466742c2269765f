// The product module's lifecycle handlers. For now they record in the log
// what they are called for (with what the framework detected at start-up)
// and keep the program-wide state that the module's later work builds on.
#include "addin/DataFolder.h"
#include "addin/LorvaneOL_IMPL.h"
#include "addin/ProgramState.h"
#include "addin/QelLog.h"

#include <string>

namespace {

std::string StartModeText(TadxStartMode mode) {
    if (mode < std::size(adxStartModeNames))
        return adxStartModeNames[mode];
    return "unknown";
}

} // namespace

TAddInModule::TAddInModule(TComponent* AOwner) : TadxCOMAddInModule(AOwner) {}

void TAddInModule::adxCOMAddInModuleAddInInitialize(TObject* Sender) {
    TProgramState& state = ProgramState();
    state.Module = this;
    if (!state.ExpandedNodes)
        state.ExpandedNodes = std::make_unique<TStringList>();
    LorvaneDataFolder();
    if (state.MainButtonCaption.empty())
        state.MainButtonCaption = "Lorvane";
    TQelLog::Log("adxCOMAddInModuleAddInInitialize: start-up complete in " +
                 std::string(adxHostInfo(HostType).Name) + " " + std::to_string(HostMajorVersion) +
                 ", start mode " + StartModeText(StartMode));
}

void TAddInModule::adxCOMAddInModuleAddInBeginShutdown(TObject* Sender) {
    ProgramState().ExpandedNodes.reset();
    TQelLog::Log("adxCOMAddInModuleAddInBeginShutdown: shutting down");
}

void TAddInModule::adxCOMAddInModuleAddInFinalize(TObject* Sender) {
    TProgramState& state = ProgramState();
    if (state.Module == this)
        state.Module = nullptr;
    TQelLog::Log("adxCOMAddInModuleAddInFinalize: disconnected");
}

void TAddInModule::adxOutlookAppEvents1Quit(TObject* Sender) {
    adxCOMAddInModuleAddInBeginShutdown(Sender);
    adxCOMAddInModuleAddInFinalize(Sender);
}
