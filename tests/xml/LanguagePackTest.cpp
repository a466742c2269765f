// Message lookup through the language pack and the loader's failure texts.
#include "xml/RwException.h"
#include "xml/RwMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string LoadError(const std::string& name) {
    try {
        LoadResourceLibrary(name);
    } catch (const Exception& e) {
        return e.Message;
    }
    return "loaded";
}

std::string TestPack(const char* name) {
    return std::string(LORVANE_BIN_DIR) + "/" + name;
}

} // namespace

TEST(LanguagePack, FirstLookupLoadsThePackBesideTheProgram) {
    UnLoadResourceLibrary();
    EXPECT_FALSE(ResourceLibraryLoaded());
    EXPECT_NE(ResStringById(0, 22), "");
    EXPECT_TRUE(ResourceLibraryLoaded());
}

TEST(LanguagePack, IdsOfZeroOrLessGiveEmptyTextAndUnknownIdsTheDefault) {
    EXPECT_EQ(ResStringById(0, 0), "");
    EXPECT_EQ(ResStringById(3, -1), "");
    EXPECT_EQ(ResStringById(7, 999), "<stringid 7,999>");
}

TEST(LanguagePack, RwExceptionCarriesTheLookedUpTextAndWhereItWasRaised) {
    ERwException e = ERwException::CreateRwException(0, "Create", "uRwXmlDom", 22);
    EXPECT_EQ(e.Message, ResStringById(0, 22));
    EXPECT_EQ(e.Group, 0);
    EXPECT_EQ(e.Id, 22);
    EXPECT_EQ(e.MethodName, "Create");
    EXPECT_EQ(e.UnitName, "uRwXmlDom");
}

TEST(LanguagePack, RwExceptionFmtFormatsTheLookedUpText) {
    // Unknown ids give the default text, itself a pattern without placeholders left.
    ERwException e = ERwException::CreateRwExceptionFmt(5, "M", "U", 77, {});
    EXPECT_EQ(e.Message, "<stringid 5,77>");
}

TEST(LanguagePack, LoaderFailuresRaiseTheirTexts) {
    EXPECT_EQ(LoadError("NoSuchPack.ENG"),
              "Unable to load the given resourcelibrary NoSuchPack.ENG. Error 126 was raised!");
    std::string noInit = TestPack("libRwTestPackNoInit.so");
    EXPECT_EQ(LoadError(noInit),
              "Unable to locate the function \"InitLanguageDll\" in Resource Library " + noInit);
    EXPECT_EQ(LoadError(TestPack("libRwTestPackInitFails.so")),
              "Failed to initialize Resource Library!");
    std::string noTranslate = TestPack("libRwTestPackNoTranslate.so");
    unsetenv("RW_TESTPACK_FINALIZED");
    EXPECT_EQ(LoadError(noTranslate),
              "Unable to locate the function \"Translate\" in Resource Library " + noTranslate);
    // Initialised before Translate was looked for, the pack is finalised before it goes.
    EXPECT_NE(getenv("RW_TESTPACK_FINALIZED"), nullptr);
    EXPECT_FALSE(ResourceLibraryLoaded());
}

TEST(LanguagePack, AFailedLoadLeavesTheLookupToRaiseAndTheNextOneToRecover) {
    LoadError("NoSuchPack.ENG");
    // A working pack loaded by name again serves lookups.
    LoadResourceLibrary(RwDefaultLanguagePack);
    EXPECT_EQ(ResStringById(7, 1), "<stringid 7,1>");
}
