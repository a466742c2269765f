// Reference counts, QueryInterface answers and live-object counts of the two
// object policies.
#include "platform/com/Com.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID IID_IShape = MakeGuid("{6F1E2A10-0000-4000-8000-00000000A001}");
constexpr GUID IID_ICircle = MakeGuid("{6F1E2A10-0000-4000-8000-00000000A002}");
constexpr GUID IID_INamed = MakeGuid("{6F1E2A10-0000-4000-8000-00000000A003}");
constexpr GUID IID_IAlias = MakeGuid("{6F1E2A10-0000-4000-8000-00000000A004}");

struct IShape : IUnknown {
    static constexpr GUID Iid = IID_IShape;
    virtual int Sides() = 0;
};
struct ICircle : IShape {
    static constexpr GUID Iid = IID_ICircle;
    using BaseInterface = IShape;
    virtual double Radius() = 0;
};
struct INamed : IUnknown {
    static constexpr GUID Iid = IID_INamed;
    virtual const char* Name() = 0;
};

class Circle : public ComObject<ICircle, INamed> {
public:
    int Sides() override { return 0; }
    double Radius() override { return 2.5; }
    const char* Name() override { return "circle"; }

private:
    friend struct ::ComMaker;
    Circle() { AddInterfaceAlias<INamed>(IID_IAlias); }
    ~Circle() override = default;
};

class Part : public ComComponent<INamed> {
public:
    const char* Name() override { return "part"; }
};

ULONG RefsOf(IUnknown* p) {
    p->AddRef();
    return p->Release();
}

} // namespace

TEST(ComObject, NewObjectStartsWithOneReferenceAndDiesAtZero) {
    long before = LibraryObjectCount().Objects();
    {
        ComPtr<Circle> c = MakeComObject<Circle>();
        EXPECT_EQ(c->RefCount(), 1u);
        EXPECT_EQ(LibraryObjectCount().Objects(), before + 1);
        ComPtr<Circle> second = c;
        EXPECT_EQ(c->RefCount(), 2u);
        ComPtr<ICircle> moved = std::move(second);
        EXPECT_EQ(c->RefCount(), 2u);
        EXPECT_FALSE(second);
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
    EXPECT_TRUE(LibraryObjectCount().CanUnloadNow());
}

TEST(ComObject, AdoptTakesAndShareAddsAReference) {
    ComPtr<Circle> c = MakeComObject<Circle>();
    ICircle* raw = c.Get();
    {
        auto shared = ComPtr<ICircle>::Share(raw);
        EXPECT_EQ(c->RefCount(), 2u);
    }
    EXPECT_EQ(c->RefCount(), 1u);
    raw->AddRef();
    {
        auto adopted = ComPtr<ICircle>::Adopt(raw);
        EXPECT_EQ(c->RefCount(), 2u);
    }
    EXPECT_EQ(c->RefCount(), 1u);
    ICircle* detached = ComPtr<Circle>(c).Detach();
    EXPECT_EQ(c->RefCount(), 2u);
    detached->Release();
    EXPECT_EQ(c->RefCount(), 1u);
}

TEST(ComObject, QueryInterfaceAnswersEachInterfaceItsBasesAndAliases) {
    ComPtr<Circle> c = MakeComObject<Circle>();
    ComPtr<IUnknown> unknown = c.Query<IUnknown>();
    ASSERT_TRUE(unknown);
    EXPECT_EQ(c->RefCount(), 2u);

    ComPtr<IShape> shape = c.Query<IShape>();
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Sides(), 0);
    ComPtr<ICircle> circle = shape.Query<ICircle>();
    ASSERT_TRUE(circle);
    EXPECT_DOUBLE_EQ(circle->Radius(), 2.5);
    ComPtr<INamed> named = circle.Query<INamed>();
    ASSERT_TRUE(named);
    EXPECT_STREQ(named->Name(), "circle");

    void* alias = nullptr;
    ASSERT_EQ(c->QueryInterface(IID_IAlias, &alias), S_OK);
    EXPECT_EQ(alias, static_cast<void*>(named.Get()));
    static_cast<INamed*>(alias)->Release();

    // Identity: every interface gives the same IUnknown.
    EXPECT_EQ(named.Query<IUnknown>().Get(), unknown.Get());
    EXPECT_TRUE(IsSameObject(named.Get(), shape.Get()));
    EXPECT_EQ(c->RefCount(), 5u);
}

TEST(ComObject, QueryInterfaceForAnUnknownIidFailsAndClearsTheOutPointer) {
    ComPtr<Circle> c = MakeComObject<Circle>();
    void* p = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(c->QueryInterface(IID_IDispatch, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(c->QueryInterface(IID_IShape, nullptr), E_POINTER);
    EXPECT_EQ(c->RefCount(), 1u);
}

TEST(ComComponent, ReleaseCountsButNeverDeletes) {
    long before = LibraryObjectCount().Objects();
    Part part;
    EXPECT_EQ(LibraryObjectCount().Objects(), before); // owner-managed objects are not counted
    {
        ComPtr<INamed> named = ComPtr<INamed>::Share(&part);
        EXPECT_EQ(part.RefCount(), 1u);
        ComPtr<IUnknown> unknown = named.Query<IUnknown>();
        EXPECT_EQ(part.RefCount(), 2u);
    }
    EXPECT_EQ(part.RefCount(), 0u);
    EXPECT_EQ(RefsOf(&part), 0u);
    EXPECT_STREQ(part.Name(), "part");
    EXPECT_FALSE(ComQuery<IShape>(&part));
}

TEST(ComObjectCount, LocksKeepTheLibraryLoaded) {
    ComObjectCount count;
    EXPECT_TRUE(count.CanUnloadNow());
    count.Lock();
    EXPECT_FALSE(count.CanUnloadNow());
    count.Unlock();
    count.ObjectCreated();
    EXPECT_FALSE(count.CanUnloadNow());
    count.ObjectDestroyed();
    EXPECT_TRUE(count.CanUnloadNow());
}

TEST(Guid, ParsesFormatsAndCompares) {
    auto g = GUID::Parse("{b65ad801-abaf-11d0-bb8b-00a0c90f2744}");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->ToString(), "{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}");
    EXPECT_EQ(*g, MakeGuid("{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}"));
    EXPECT_EQ(g->Data1, 0xB65AD801u);
    EXPECT_EQ(g->Data4[7], 0x44);
    EXPECT_EQ(GUID::Parse(u"{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}"), g);
    EXPECT_TRUE(GUID_NULL.IsNull());
    EXPECT_LT(GUID_NULL, *g);
    EXPECT_EQ(std::hash<GUID>{}(*g), std::hash<GUID>{}(*GUID::Parse(g->ToString())));
    EXPECT_EQ(IID_IDispatch.ToString(), "{00020400-0000-0000-C000-000000000046}");
}

TEST(Guid, RejectsMalformedText) {
    const char* bad[] = {"",
                         "{}",
                         "B65AD801-ABAF-11D0-BB8B-00A0C90F2744",
                         "{B65AD801-ABAF-11D0-BB8B-00A0C90F274}",
                         "{B65AD801-ABAF-11D0-BB8B-00A0C90F27444}",
                         "{B65AD801+ABAF-11D0-BB8B-00A0C90F2744}",
                         "{G65AD801-ABAF-11D0-BB8B-00A0C90F2744}",
                         "(B65AD801-ABAF-11D0-BB8B-00A0C90F2744)"};
    for (const char* text : bad)
        EXPECT_FALSE(GUID::Parse(text)) << text;
    try {
        StringToGUID("Outlook.Application");
        FAIL();
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode, CO_E_CLASSSTRING);
    }
}

TEST(Guid, CreatesDistinctVersion4Guids) {
    GUID a = GUID::Create(), b = GUID::Create();
    EXPECT_NE(a, b);
    EXPECT_EQ(a.Data3 >> 12, 4);
    EXPECT_EQ(a.Data4[0] & 0xC0, 0x80);
    EXPECT_EQ(GUID::Parse(a.ToString()), a);
}

TEST(HResult, KeepsTheRealValues) {
    EXPECT_EQ(uint32_t(E_NOINTERFACE), 0x80004002u);
    EXPECT_EQ(uint32_t(DISP_E_EXCEPTION), 0x80020009u);
    EXPECT_EQ(uint32_t(DISP_E_TYPEMISMATCH), 0x80020005u);
    EXPECT_EQ(uint32_t(CLASS_E_CLASSNOTAVAILABLE), 0x80040111u);
    EXPECT_EQ(uint32_t(REGDB_E_CLASSNOTREG), 0x80040154u);
    EXPECT_EQ(uint32_t(CO_E_CLASSSTRING), 0x800401F3u);
    EXPECT_EQ(uint32_t(MK_E_UNAVAILABLE), 0x800401E3u);
    EXPECT_EQ(uint32_t(E_INVALIDARG), 0x80070057u);
    EXPECT_TRUE(FAILED(E_FAIL));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
}
