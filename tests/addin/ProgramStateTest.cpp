// The program-wide state: its defaults before any configuration is read, and
// a fresh one for whoever asks.
#include "addin/settings/ProgramState.h"
#include "addin/LorvaneOL_IMPL.h"

#include <gtest/gtest.h>

TEST(ProgramState, StartsWithTheSwitchesAtTheirDefaults) {
    TProgramState& state = ResetProgramState();
    EXPECT_EQ(state.Module, nullptr);
    for (uint8_t off : {state.folderdef, state.folderask, state.categdef, state.categask,
                        state.calendadd, state.taskadd, state.nolistupdates, state.firsttime})
        EXPECT_EQ(off, 0);
    // Maintain Categories is on by default, but without a configuration file
    // nothing counts as a default action.
    EXPECT_EQ(state.categmaintain, 1);
    EXPECT_TRUE(state.CategoriesWatched());
    EXPECT_EQ(state.anydefaultaction, 0);
    EXPECT_EQ(state.timerdelay, 10);
    EXPECT_EQ(state.ActionInProgress, TIndividualAction::None);
    EXPECT_FALSE(state.OwnSend);
    EXPECT_EQ(state.MainButtonCaption, "");
    EXPECT_EQ(state.ExpandedNodes, nullptr);
}

TEST(ProgramState, ResettingForgetsWhatAnEarlierRunLeft) {
    TProgramState& used = ProgramState();
    used.folderdef = 1;
    used.MainButtonCaption = "Lorvane";
    used.ExpandedNodes = std::make_unique<TStringList>();
    TProgramState& fresh = ResetProgramState();
    EXPECT_EQ(&fresh, &ProgramState());
    EXPECT_EQ(fresh.folderdef, 0);
    EXPECT_EQ(fresh.MainButtonCaption, "");
    EXPECT_EQ(fresh.ExpandedNodes, nullptr);
}
