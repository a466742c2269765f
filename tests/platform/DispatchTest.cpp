// DispParams order, named arguments, DispatchTable and the late-bound helpers.
#include "platform/com/Com.h"

#include "tests/support/ComTestSupport.h"

#include <gtest/gtest.h>

namespace {

// An automation object with a property, an indexed member, a method with
// named parameters and members that fail.
class Sample : public DispatchObject<IDispatch> {
public:
    std::u16string subject = u"first";
    std::vector<Variant> lastArgs;

private:
    friend struct ::ComMaker;
    Sample() {
        Members.SetSource(u"Sample");
        Members.Property(
            "Subject", [this] { return subject; },
            [this](const Variant& v) { subject = v.AsWide(); });
        Members.Add("Item", DISPID_VALUE).Params({"Index"}).Call([](DispCall& c) {
            return Variant(u"item " + c.Wide(0));
        });
        Members.Add("Move", 0x100).Params({"Folder", "Copy", "Position"}).Call([this](DispCall& c) {
            lastArgs.clear();
            for (size_t i = 0; i < c.Count(); ++i)
                lastArgs.push_back(c.Optional(i, Variant::Missing()));
        });
        Members.Method("Fail", [] { throw Exception("it went wrong"); });
        Members.Method("FailWithCode", [] { throw EOleSysError("no such folder", E_INVALIDARG); });
        Members.Method("Twice", [](DispCall& c) { return c.Integer(0) * 2; });
        Members.Method("SetFlag", [](DispCall& c) { c[0].SetValue(true); });
    }
};

} // namespace

TEST(DispArgs, LaysOutArgumentsInReverseOrderWithNamedOnesFirst) {
    DispArgs args{Variant(1), Variant(2), Variant(3)};
    args.AddNamed(5, Variant(u"named"));
    DispParams& p = args.Params();
    ASSERT_EQ(p.cArgs, 4u);
    ASSERT_EQ(p.cNamedArgs, 1u);
    EXPECT_EQ(p.rgdispidNamedArgs[0], 5);
    EXPECT_EQ(p.rgvarg[0], Variant(u"named"));
    EXPECT_EQ(p.rgvarg[1], Variant(3)); // the last positional argument
    EXPECT_EQ(p.rgvarg[3], Variant(1)); // the first one
    EXPECT_EQ(args.Arg(0), Variant(1));
    DispArgs copy = args;
    EXPECT_EQ(copy.Params().rgvarg[3], Variant(1));
    EXPECT_NE(copy.Params().rgvarg, p.rgvarg);
}

TEST(DispCall, MapsReversedAndNamedArgumentsToDeclarationOrder) {
    Variant rg[] = {Variant(u"position"), Variant(u"copy"), Variant(u"folder")};
    DISPID named[] = {2};
    DispParams p{rg, named, 3, 1};
    DispCall call(&p, DISPATCH_METHOD, 3);
    ASSERT_EQ(call.Count(), 3u);
    EXPECT_EQ(call[0], Variant(u"folder"));
    EXPECT_EQ(call[1], Variant(u"copy"));
    EXPECT_EQ(call[2], Variant(u"position"));
    EXPECT_EQ(call.RgIndex(0), 2u);
    EXPECT_EQ(call.RgIndex(2), 0u);
}

TEST(InvokeArguments, AnEventSinkReadsNamedArgumentsAtTheirDispidAndLeavesStrayOnesOut) {
    // Two named arguments (one at DISPID 2, one at no position there is), then
    // the two positional ones, last first.
    Variant rg[] = {Variant(u"third"), Variant(u"stray"), Variant(u"second"), Variant(u"first")};
    DISPID named[] = {2, 9};
    DispParams p{rg, named, 4, 2};
    InvokeArguments arguments = LayOutInvokeArguments(&p);
    EXPECT_EQ(arguments.Values, (std::vector<Variant>{Variant(u"first"), Variant(u"second"),
                                                      Variant(u"third"), Variant()}));
    EXPECT_EQ(arguments.Slots, (std::vector<int>{2, -1, 1, 0}));
    EXPECT_TRUE(LayOutInvokeArguments(nullptr).Values.empty());
}

TEST(DispCall, RefusesNamedArgumentsOutsideTheParameterRange) {
    Variant rg[] = {Variant(1), Variant(2)};
    struct Case {
        DISPID id;
        size_t paramCount;
        HRESULT expected;
    };
    const Case cases[] = {
        {7, 3, DISP_E_PARAMNOTFOUND},                  // past the declared parameters
        {-9, 3, DISP_E_PARAMNOTFOUND},                 // negative
        {0, 3, DISP_E_PARAMNOTFOUND},                  // already filled by the positional argument
        {1, 0, DISP_E_NONAMEDARGS},                    // member takes no named arguments
        {DISPID_PROPERTYPUT, 3, DISP_E_PARAMNOTFOUND}, // a put value on a method call
    };
    for (const Case& c : cases) {
        DISPID named[] = {c.id};
        DispParams p{rg, named, 2, 1};
        try {
            DispCall call(&p, DISPATCH_METHOD, c.paramCount);
            ADD_FAILURE() << "no error for DISPID " << c.id;
        } catch (const EDispError& e) {
            EXPECT_EQ(e.ErrorCode, c.expected) << c.id;
        }
    }
    DispParams inconsistent{nullptr, nullptr, 2, 0};
    EXPECT_THROW(DispCall(&inconsistent, DISPATCH_METHOD, 0), EDispError);
    DispParams tooManyNamed{rg, nullptr, 1, 2};
    EXPECT_THROW(DispCall(&tooManyNamed, DISPATCH_METHOD, 0), EDispError);
}

TEST(DispatchTable, NamesAreCaseInsensitiveAndGetFixedOrChosenIds) {
    auto obj = MakeComObject<Sample>();
    const char16_t* names[] = {u"sUbJeCt"};
    DISPID id = 0;
    ASSERT_EQ(obj->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_GE(id, 0x60020000);
    const char16_t* move[] = {u"move", u"POSITION", u"nothing"};
    DISPID ids[3];
    EXPECT_EQ(obj->GetIDsOfNames(GUID_NULL, move, 3, LOCALE_USER_DEFAULT, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 0x100);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(ids[2], DISPID_UNKNOWN);
    const char16_t* unknown[] = {u"Nope", u"Index"};
    EXPECT_EQ(obj->GetIDsOfNames(GUID_NULL, unknown, 2, LOCALE_USER_DEFAULT, ids),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(obj->GetIDsOfNames(IID_IDispatch, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
    uint32_t count = 9;
    EXPECT_EQ(obj->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

TEST(DispatchTable, CaseSensitiveTablesMatchExactly) {
    DispatchTable table;
    table.SetCaseSensitive(true);
    table.Method(
        "GetLabel_Callback", [] {}, 14);
    EXPECT_EQ(table.IdOf(u"GetLabel_Callback"), 14);
    EXPECT_EQ(table.IdOf(u"getlabel_callback"), DISPID_UNKNOWN);
}

TEST(DispatchTable, DuplicateNamesAndIdsAreRefused) {
    DispatchTable table;
    table.Method(
        "Send", [] {}, 5);
    EXPECT_THROW(table.Method("SEND", [] {}), EOleSysError);
    EXPECT_THROW(table.Method(
                     "Other", [] {}, 5),
                 EOleSysError);
}

TEST(LateBound, GetsPutsAndCallsByName) {
    auto obj = MakeComObject<Sample>();
    EXPECT_EQ(dispGet(obj, "Subject"), Variant(u"first"));
    dispPut(obj, "subject", u"second");
    EXPECT_EQ(obj->subject, u"second");
    EXPECT_EQ(dispGet(obj, "Item", 3).AsWide(), u"item 3");
    EXPECT_EQ(dispCall(obj, "Twice", u"21"), Variant(42));
    EXPECT_EQ(dispGetId(obj, DISPID_VALUE, u"x"), Variant(u"item x"));
    dispCall(obj, "Move", u"Inbox");
    ASSERT_EQ(obj->lastArgs.size(), 1u);
    EXPECT_EQ(obj->lastArgs[0], Variant(u"Inbox"));

    // A by-reference argument written by the callee reaches the caller.
    VARIANT_BOOL flag = VARIANT_FALSE;
    dispCall(obj, "SetFlag", Variant::ByRefBool(&flag));
    EXPECT_EQ(flag, VARIANT_TRUE);

    // Through a variant holding the object.
    Variant holder(obj.Query<IDispatch>());
    EXPECT_EQ(dispGet(holder, "Subject").AsString(), "second");
}

TEST(LateBound, NamedArgumentsLandAtTheirParameter) {
    auto obj = MakeComObject<Sample>();
    DispArgs args{Variant(u"Inbox")};
    args.AddNamed(2, Variant(7));
    Variant result;
    ASSERT_EQ(obj->Invoke(0x100, GUID_NULL, 0, DISPATCH_METHOD, &args.Params(), &result, nullptr,
                          nullptr),
              S_OK);
    ASSERT_EQ(obj->lastArgs.size(), 3u);
    EXPECT_EQ(obj->lastArgs[0], Variant(u"Inbox"));
    EXPECT_TRUE(obj->lastArgs[1].IsMissing());
    EXPECT_EQ(obj->lastArgs[2], Variant(7));
}

TEST(LateBound, FailuresRaiseWithTheirCodes) {
    auto obj = MakeComObject<Sample>();
    auto unknown = ErrorOf([&] { dispGet(obj, "NoSuchMember"); });
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->ErrorCode, DISP_E_UNKNOWNNAME);
    EXPECT_NE(unknown->Message.find("NoSuchMember"), std::string::npos);

    auto failed = ErrorOf<EOleException>([&] { dispCall(obj, "Fail"); });
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->ErrorCode, E_FAIL);
    EXPECT_EQ(failed->Message, "it went wrong");
    EXPECT_EQ(failed->Source, "Sample");

    auto coded = ErrorOf<EOleException>([&] { dispCall(obj, "FailWithCode"); });
    ASSERT_TRUE(coded);
    EXPECT_EQ(coded->ErrorCode, E_INVALIDARG);
    EXPECT_EQ(coded->Message, "no such folder");

    auto mismatch = ErrorOf([&] { dispCall(obj, "Twice", u"many"); });
    ASSERT_TRUE(mismatch);
    EXPECT_EQ(mismatch->ErrorCode, DISP_E_TYPEMISMATCH);
    EXPECT_NE(mismatch->Message.find("argument 1"), std::string::npos);

    EXPECT_EQ(CodeOf([&] { dispCall(obj, "Twice"); }), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(CodeOf([&] { dispPut(obj, "Twice", 1); }), DISP_E_MEMBERNOTFOUND); // no putter
    EXPECT_EQ(CodeOf([&] { dispGet(static_cast<IDispatch*>(nullptr), "Subject"); }), E_POINTER);
}

TEST(DispatchTable, InvokeReportsExceptionsInExcepInfoAndTheBadArgument) {
    auto obj = MakeComObject<Sample>();
    ExcepInfo info;
    uint32_t argErr = 99;
    DispArgs none;
    DISPID fail = dispId(obj, "Fail");
    EXPECT_EQ(
        obj->Invoke(fail, GUID_NULL, 0, DISPATCH_METHOD, &none.Params(), nullptr, &info, &argErr),
        DISP_E_EXCEPTION);
    EXPECT_EQ(info.bstrDescription, u"it went wrong");
    EXPECT_EQ(info.bstrSource, u"Sample");
    EXPECT_EQ(info.scode, E_FAIL);

    DispArgs bad{Variant(1), Variant(u"x")};
    DISPID twice = dispId(obj, "Twice");
    // Twice reads argument 0 only; make argument 0 the bad one.
    DispArgs badFirst{Variant(u"x"), Variant(1)};
    EXPECT_EQ(obj->Invoke(twice, GUID_NULL, 0, DISPATCH_METHOD, &badFirst.Params(), nullptr, &info,
                          &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u); // rgvarg index of the first of two arguments
    EXPECT_EQ(
        obj->Invoke(12345, GUID_NULL, 0, DISPATCH_METHOD, &bad.Params(), nullptr, &info, &argErr),
        DISP_E_MEMBERNOTFOUND);
    // A put without its DISPID_PROPERTYPUT argument.
    DispArgs positionalOnly{Variant(u"x")};
    DISPID subject = dispId(obj, "Subject");
    EXPECT_EQ(obj->Invoke(subject, GUID_NULL, 0, DISPATCH_PROPERTYPUT, &positionalOnly.Params(),
                          nullptr, &info, &argErr),
              DISP_E_PARAMNOTFOUND);
}

namespace {

// An object whose default member is its name, owned by the test (not self-deleting).
class Labelled : public DispatchComponent<IDispatch> {
public:
    explicit Labelled(std::u16string label) : label_(std::move(label)) {
        Members.Get(
            "Label", [this] { return label_; }, DISPID_VALUE);
    }

private:
    std::u16string label_;
};

} // namespace

TEST(DispatchComponent, AnObjectConvertsToAValueThroughItsDefaultMember) {
    Labelled labelled(u"42");
    {
        Variant v(static_cast<IDispatch*>(&labelled));
        EXPECT_EQ(labelled.RefCount(), 1u);
        EXPECT_EQ(v.AsWide(), u"42");
        EXPECT_EQ(v.AsInteger(), 42);
        EXPECT_EQ(v.AsDispatch().Get(), &labelled);
    }
    EXPECT_EQ(labelled.RefCount(), 0u);
    Labelled words(u"not a number");
    EXPECT_EQ(CodeOf([&] { Variant(static_cast<IDispatch*>(&words)).AsInteger(); }),
              DISP_E_TYPEMISMATCH);
    auto noDefault = MakeComObject<Sample>(); // its default member needs an argument
    EXPECT_EQ(CodeOf([&] { Variant(noDefault.Query<IDispatch>()).AsWide(); }), DISP_E_TYPEMISMATCH);
}
