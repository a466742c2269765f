// The one instance of the program-wide state.
#include "addin/settings/ProgramState.h"

namespace {

std::unique_ptr<TProgramState>& Instance() {
    static std::unique_ptr<TProgramState> state = std::make_unique<TProgramState>();
    return state;
}

} // namespace

TProgramState& ProgramState() {
    return *Instance();
}

TProgramState& ResetProgramState() {
    Instance() = std::make_unique<TProgramState>();
    return *Instance();
}
