// A library of hidden visibility with its own form classes: its stored form
// binds events of the platform's TTimer and of its own components to its
// handlers, and the program's table never sees its classes.
#include "platform/forms/FormClass.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

TEST(FormLibrary, HiddenLibraryReadsItsFormWithItsOwnTable) {
    std::string path = std::string(LORVANE_BIN_DIR) + "/libPlatformTestFormLibrary.so";
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto run = reinterpret_cast<const char* (*)()>(dlsym(library, "FormLibraryRun"));
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(std::string(run()), "tick Timer1;click;");
    EXPECT_EQ(std::string(run()), "tick Timer1;click;");
    // Only the export is visible.
    EXPECT_EQ(dlsym(library, "_ZN12_GLOBAL__N_15TableEv"), nullptr);
    forms::FormClassTable mine;
    EXPECT_EQ(mine.Find("TLibModule"), nullptr);
    dlclose(library);
}
