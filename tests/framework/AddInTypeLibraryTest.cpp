// The add-in's type library: registered with the class under the standard
// keys, answered by the add-in object's GetTypeInfo with its names, and its
// keys gone after unregistration; an add-in without one answers no type
// information.
#include "FrameworkTestSupport.h"

#include "platform/com/TypeLib.h"
#include "platform/sim/outlook/OutlookSim.h"

using namespace fwtest;

namespace {

constexpr GUID LIBID_Test = MakeGuid("{A8BFEC77-35CC-48BA-92AC-3A92A16ED3B5}");

class AddInTypeLibrary : public AddInTest {
protected:
    AddInTypeLibrary() {
        SetModuleForm(ModuleForm("  AddInName = 'TestAddIn'\n  SupportedApps = [ohaOutlook]"));
        sim::InstallOutlook(12);
    }
    static bool KeyExists(const std::string& key) {
        TRegistry reg;
        reg.SetRootKey(HKEY_CLASSES_ROOT);
        return reg.KeyExists(key);
    }
    static std::string Read(const std::string& key, const std::string& name = "") {
        TRegistry reg;
        reg.SetRootKey(HKEY_CLASSES_ROOT);
        return reg.OpenKeyReadOnly(key) ? reg.ReadString(name) : "<missing>";
    }
};

std::u16string NameOf(ITypeInfo* info, std::u16string* doc = nullptr) {
    std::u16string name;
    EXPECT_EQ(info->GetDocumentation(-1, &name, doc), S_OK);
    return name;
}

} // namespace

TEST_F(AddInTypeLibrary, RegistrationWritesTheLibraryAndUnregistrationRemovesIt) {
    factory.SetTypeLibrary(LIBID_Test, IID_ITestAddIn);
    ASSERT_EQ(server.RegisterServer(), S_OK);
    const std::string lib = "\\TypeLib\\" + LIBID_Test.ToString() + "\\1.0";
    const std::string intf = "\\Interface\\" + IID_ITestAddIn.ToString();
    const std::string cls = "\\CLSID\\" + CLSID_TestAddIn.ToString();
    EXPECT_EQ(Read(lib), "FrameworkTest");
    EXPECT_EQ(Read(lib + "\\0\\win32"), server.LibraryPath());
    EXPECT_EQ(Read(lib + "\\FLAGS"), "0");
    EXPECT_EQ(Read(intf), "ITestAddIn");
    EXPECT_EQ(Read(intf + "\\TypeLib"), LIBID_Test.ToString());
    EXPECT_EQ(Read(intf + "\\TypeLib", "Version"), "1.0");
    EXPECT_EQ(Read(cls + "\\TypeLib"), LIBID_Test.ToString());
    EXPECT_EQ(Read(cls + "\\Version"), "1.0");

    ASSERT_EQ(server.UnregisterServer(), S_OK);
    EXPECT_FALSE(KeyExists("\\TypeLib\\" + LIBID_Test.ToString()));
    EXPECT_FALSE(KeyExists(intf));
    EXPECT_FALSE(KeyExists(cls));
}

TEST_F(AddInTypeLibrary, GetTypeInfoAnswersTheInterfaceWithItsLibrary) {
    factory.SetTypeLibrary(LIBID_Test, IID_ITestAddIn);
    ComPtr<IDispatch> addIn = NewAddIn().Query<IDispatch>();
    uint32_t count = 0;
    ASSERT_EQ(addIn->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(addIn->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Receive()), S_OK);
    ASSERT_TRUE(info);
    TypeAttr attr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr.Guid, IID_ITestAddIn);
    EXPECT_EQ(attr.TypeKind, TKIND_DISPATCH);
    EXPECT_EQ(NameOf(info.Get()), u"ITestAddIn");
    EXPECT_EQ(addIn->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.Receive()), DISP_E_BADINDEX);

    ASSERT_EQ(addIn->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Receive()), S_OK);
    ComPtr<ITypeLib> library;
    uint32_t index = 9;
    ASSERT_EQ(info->GetContainingTypeLib(library.Receive(), &index), S_OK);
    EXPECT_EQ(index, 0u);
    std::u16string name;
    ASSERT_EQ(library->GetDocumentation(-1, &name, nullptr), S_OK);
    EXPECT_EQ(name, u"FrameworkTest");
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_TestAddIn, coclass.Receive()), S_OK);
    std::u16string help;
    EXPECT_EQ(NameOf(coclass.Get(), &help), u"TestAddIn");
    EXPECT_EQ(help, u"TestAddIn Object");
    ComPtr<ITypeInfo> implemented;
    ASSERT_EQ(coclass->GetImplTypeInfo(0, implemented.Receive()), S_OK);
    EXPECT_EQ(NameOf(implemented.Get()), u"ITestAddIn");
}

TEST_F(AddInTypeLibrary, WithoutALibraryThereIsNoTypeInformation) {
    ComPtr<IDispatch> addIn = NewAddIn().Query<IDispatch>();
    uint32_t count = 7;
    ASSERT_EQ(addIn->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}
