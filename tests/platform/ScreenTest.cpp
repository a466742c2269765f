// The live forms and data modules, and the walk over everything open.
#include "platform/forms/Screen.h"
#include "platform/controls/Form.h"
#include "platform/forms/DataModule.h"

#include <gtest/gtest.h>

TEST(Screen, ListsLiveFormsAndDataModulesInCreationOrder) {
    auto* module = new TDataModule(nullptr);
    auto* form = new TForm(nullptr);
    auto* dialog = new TForm(form);
    ASSERT_EQ(Screen().FormCount(), 2);
    EXPECT_EQ(Screen().Forms(0), form);
    EXPECT_EQ(Screen().Forms(1), dialog);
    ASSERT_EQ(Screen().DataModuleCount(), 1);
    EXPECT_EQ(Screen().DataModules(0), module);
    EXPECT_THROW(Screen().Forms(2), EListError);
    form->Free();
    EXPECT_EQ(Screen().FormCount(), 0);
    module->Free();
    EXPECT_EQ(Screen().DataModuleCount(), 0);
}

TEST(Screen, WalkReachesEveryOpenComponentFormsFirst) {
    auto* module = new TDataModule(nullptr);
    module->SetName("Module");
    (new TComponent(module))->SetName("Timer1");
    auto* form = new TForm(nullptr);
    form->SetName("Form");
    auto* panel = new TComponent(form);
    panel->SetName("Panel");
    (new TComponent(panel))->SetName("Label");
    std::vector<std::string> names;
    forms::ForEachOpenComponent([&](TComponent& c) { names.push_back(c.Name()); });
    EXPECT_EQ(names, (std::vector<std::string>{"Form", "Panel", "Label", "Module", "Timer1"}));
    form->Free();
    module->Free();
}
