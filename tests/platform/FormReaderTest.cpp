// The stored-form reader: properties through setters, components, references
// resolved after reading, handlers bound by name, defined properties read in
// order, collections, and bad forms refused with form, line and property.
#include "FormTestClasses.h"

#include "platform/forms/FormErrors.h"
#include "platform/forms/FormParser.h"
#include "platform/forms/FormReader.h"
#include "platform/forms/Screen.h"

#include <gtest/gtest.h>

using namespace formtest;
using namespace forms;

namespace {

const char* kGoodForm = R"(object Module: TTestModule
  AddInName = 'LorvaneOL'
  Count = 42
  Signed = $FFFFFFFF
  Small = 255
  Ratio = 2.5
  Enabled = False
  Size = szLarge
  Hosts = [hOutlook, hWord]
  RibbonMask = [r0, r2]
  Caption = 'Track +'#13#10'Send '#8364
  Data = {
    0102
    0304}
  Lines = (
    'first'
    'second')
  OnStart = ModuleStart
  OnCount = ModuleCount
  OnCreate = ModuleCreate
  OnDestroy = ModuleDestroy
  object Tab: TThing
    Tag = 6
    Images = ImageList1
    Partner = Module.Group
    Box.Style = [fsBold, fsUnderline]
    Box.Height = 12
    Items.Strings = (
      'Send'
      'File')
    Panes = <
      item
        Caption = 'Left'
      end
      item
        Caption = 'Right'
        Width = 30
      end>
    OnClick = ThingClick
    Entries = <
      item
        Caption = 'One'
        Items = <
          item
            Caption = 'Inner'
          end>
      end
      item [1]
        Caption = 'Two'
        Tag = 2
      end>
    object Group: TContainer
      Codes = {02000000 08000000 07000000}
      Children = <
        item
          Caption = 'Other'
          Enabled = False
        end
        item
          Caption = 'Plain'
        end>
    end
  end
  object ImageList1: TThing
  end
end
)";

class StoredForm : public ::testing::Test {
protected:
    void SetUp() override {
        journal.clear();
        live = 0;
        RegisterTestClasses(table, kGoodForm);
    }
    void TearDown() override { EXPECT_EQ(live, 0) << "objects leaked"; }

    TTestModule* Create() { return table.Create<TTestModule>(nullptr); }

    forms::FormClassTable table;
};

} // namespace

TEST_F(StoredForm, SetsEveryKindOfPropertyThroughItsSetter) {
    TTestModule* m = Create();
    EXPECT_EQ(m->Name(), "Module");
    EXPECT_EQ(m->AddInName, "LorvaneOL");
    EXPECT_EQ(m->Count, 42);
    EXPECT_EQ(m->Signed, -1);
    EXPECT_EQ(m->Small, 255);
    EXPECT_DOUBLE_EQ(m->Ratio, 2.5);
    EXPECT_FALSE(m->Enabled);
    EXPECT_EQ(m->Size, szLarge);
    EXPECT_EQ(m->Hosts, (THosts{hOutlook, hWord}));
    EXPECT_EQ(m->RibbonMask, 5u);
    EXPECT_EQ(m->Caption, u"Track +\r\nSend \u20AC");
    EXPECT_EQ(m->Data, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(m->Lines, (std::vector<std::string>{"first", "second"}));
    // Setters run while the component is loading.
    EXPECT_EQ(journal.front(), "AddInName while loading");
    EXPECT_FALSE(m->ComponentState() & (csLoading | csReading));
    m->Free();
}

TEST_F(StoredForm, CreatesTheComponentsOwnedByTheRootInFormOrder) {
    TTestModule* m = Create();
    ASSERT_EQ(m->ComponentCount(), 3);
    auto* tab = dynamic_cast<TThing*>(m->Components(0));
    auto* group = dynamic_cast<TContainer*>(m->Components(1));
    auto* images = dynamic_cast<TThing*>(m->Components(2));
    ASSERT_TRUE(tab && group && images);
    EXPECT_EQ(tab->Name(), "Tab");
    EXPECT_EQ(tab->Tag(), 6);
    EXPECT_EQ(group->Owner(), m);
    // The enclosing object is the parent, the root the owner.
    EXPECT_EQ(tab->Parent, m);
    EXPECT_EQ(images->Parent, m);
    EXPECT_EQ(tab->Box()->Style, 5u);
    EXPECT_EQ(tab->Box()->Height, 12);
    ASSERT_EQ(tab->Items.Count(), 2);
    EXPECT_EQ(tab->Items[1], "File");
    for (int i = 0; i < m->ComponentCount(); ++i)
        EXPECT_FALSE(m->Components(i)->ComponentState() & (csLoading | csReading));
    m->Free();
}

TEST_F(StoredForm, ResolvesReferencesAfterTheWholeFormIsReadThenCallsLoaded) {
    TTestModule* m = Create();
    auto* tab = static_cast<TThing*>(m->FindComponent("Tab"));
    EXPECT_EQ(tab->Images, m->FindComponent("ImageList1"));
    EXPECT_EQ(tab->Partner, m->FindComponent("Group"));
    // The forward reference is set before any Loaded; Loaded runs root first,
    // then in form order, and OnCreate comes last.
    std::vector<std::string> expected = {"AddInName while loading", "Tab.Images",
                                         "Loaded module",           "Loaded Tab images=ImageList1",
                                         "Loaded ImageList1",       "OnCreate"};
    EXPECT_EQ(journal, expected);
    m->Free();
}

TEST_F(StoredForm, BindsEventsToTheRootsMethodsByName) {
    TTestModule* m = Create();
    ASSERT_TRUE(m->OnStart);
    m->OnStart(m);
    auto* tab = static_cast<TThing*>(m->FindComponent("Tab"));
    tab->OnClick(tab);
    int count = 1;
    m->OnCount(m, count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(journal.back(), "ThingClick Tab");
    EXPECT_EQ(journal[journal.size() - 2], "ModuleStart Module");
    m->Free();
}

TEST_F(StoredForm, CollectionsAreReadNestedWithOptionalIndexes) {
    TTestModule* m = Create();
    auto* tab = static_cast<TThing*>(m->FindComponent("Tab"));
    ASSERT_EQ(tab->Entries.size(), 2u);
    EXPECT_EQ(tab->Entries[0]->Caption, "One");
    ASSERT_EQ(tab->Entries[0]->Children.size(), 1u);
    EXPECT_EQ(tab->Entries[0]->Children[0]->Caption, "Inner");
    EXPECT_EQ(tab->Entries[1]->Caption, "Two");
    EXPECT_EQ(tab->Entries[1]->Tag, 2);
    m->Free();
}

TEST_F(StoredForm, StandardCollectionsAreClearedThenFilledInOneUpdate) {
    TTestModule* m = Create();
    auto* tab = static_cast<TThing*>(m->FindComponent("Tab"));
    ASSERT_EQ(tab->Panes.Count(), 2);
    auto* right = static_cast<TPane*>(tab->Panes.Items(1));
    EXPECT_EQ(right->Caption, "Right");
    EXPECT_EQ(right->Width, 30);
    EXPECT_EQ(tab->Panes.Updates, 1);
    EXPECT_EQ(tab->Panes.UpdateCount(), 0);
    // Reading again replaces the items.
    new TPane(&tab->Panes);
    ReadComponentForm(*tab,
                      "object Tab: TThing\n  Panes = <\n    item\n      Width = 1\n    end>\nend",
                      table, "TPanes");
    ASSERT_EQ(tab->Panes.Count(), 1);
    EXPECT_EQ(static_cast<TPane*>(tab->Panes.Items(0))->Width, 1);
    m->Free();
}

TEST_F(StoredForm, DefinedPropertiesCreateChildrenFromTheCodesReadBeforeThem) {
    TTestModule* m = Create();
    auto* group = static_cast<TContainer*>(m->FindComponent("Group"));
    EXPECT_EQ(group->Codes, (std::vector<int32_t>{8, 7}));
    ASSERT_EQ(group->Children.size(), 2u);
    auto* other = dynamic_cast<TOtherEntry*>(group->Children[0].get());
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(other->Enabled);
    EXPECT_EQ(other->Caption, "Other");
    EXPECT_EQ(group->Children[1]->Code, 7);
    EXPECT_EQ(dynamic_cast<TOtherEntry*>(group->Children[1].get()), nullptr);
    m->Free();
}

TEST_F(StoredForm, DataModuleCreateReadsTheFormAndFiresOnCreateCreateNewDoesNot) {
    TTestModule* fresh = new TTestModule(nullptr);
    EXPECT_EQ(fresh->ComponentCount(), 0);
    EXPECT_EQ(fresh->AddInName, "unset");
    EXPECT_TRUE(journal.empty());
    fresh->Free();

    TTestModule* m = Create();
    EXPECT_EQ(journal.back(), "OnCreate");
    ASSERT_EQ(Screen().DataModuleCount(), 1);
    EXPECT_EQ(Screen().DataModules(0), m);
    m->Free();
    // OnDestroy fires before the components go.
    EXPECT_EQ(journal.back(), "OnDestroy with 3 components");
    EXPECT_EQ(Screen().DataModuleCount(), 0);
}

TEST_F(StoredForm, CreatedWithAnOwnerTheModuleJoinsIt) {
    TComponent owner(nullptr);
    TTestModule* m = table.Create<TTestModule>(&owner);
    EXPECT_EQ(m->Owner(), &owner);
    EXPECT_EQ(owner.FindComponent("Module"), m);
}

TEST_F(StoredForm, DerivedClassSeesItsBasesPropertiesAndMethods) {
    table.Extend<TDerivedModule>().StoredForm(R"(object Derived: TDerivedModule
  AddInName = 'Derived'
  OnStart = DerivedStart
  OnCreate = ModuleCreate
end)");
    auto* d = table.Create<TDerivedModule>(nullptr);
    EXPECT_EQ(d->AddInName, "Derived");
    d->OnStart(d);
    EXPECT_EQ(journal.back(), "DerivedStart");
    d->Free();
}

TEST_F(StoredForm, ADataModuleClassWithoutStoredFormCannotBeCreatedFromIt) {
    try {
        table.Create<TFormlessModule>(nullptr);
        FAIL();
    } catch (const EFormReadError& e) {
        EXPECT_EQ(e.Message, "Resource TFormlessModule not found");
    }
    // The class library's own TDataModule needs none.
    table.Create<TDataModule>(nullptr)->Free();
}

TEST_F(StoredForm, TablesOfDifferentLibrariesAreIndependent) {
    forms::FormClassTable other;
    EXPECT_NE(other.Find("TDataModule"), nullptr);
    EXPECT_EQ(other.Find("TTestModule"), nullptr);
    EXPECT_THROW(other.Get("TTestModule"), EClassNotFound);
    EXPECT_NE(table.Find("ttestmodule"), nullptr);
    EXPECT_THROW(table.Register<TThing>(), Exception);
}

TEST_F(StoredForm, ReadsIntoAnExistingRoot) {
    TTestModule m(nullptr);
    ReadComponentForm(m, "object Other: TTestModule\n  Count = 3\n  object T: TThing\n  end\nend",
                      table, "TestForm");
    EXPECT_EQ(m.Name(), "Other");
    EXPECT_EQ(m.Count, 3);
    EXPECT_EQ(m.ComponentCount(), 1);
}

TEST_F(StoredForm, ReadsOnlyTheNamedPropertiesOfTheRootIntoADefaultInstance) {
    auto* m = dynamic_cast<TTestModule*>(table.Get("TTestModule").CreateNew(nullptr));
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(journal.empty()); // no OnCreate
    const std::string_view names[] = {"addinname", "Hosts", "OnStart"};
    FormReader(table, "TTestModule")
        .ReadRootProperties(*m, ParseForm(kGoodForm, "TTestModule"), names);
    EXPECT_EQ(m->Name(), "Module");
    EXPECT_EQ(m->AddInName, "LorvaneOL");
    EXPECT_EQ(m->Hosts, (THosts{hOutlook, hWord}));
    ASSERT_TRUE(m->OnStart);
    // The other properties keep their defaults; no component is made or Loaded.
    EXPECT_EQ(m->Count, 0);
    EXPECT_FALSE(m->OnCreate);
    EXPECT_EQ(m->ComponentCount(), 0);
    EXPECT_EQ(journal, (std::vector<std::string>{"AddInName while loading"}));
    EXPECT_FALSE(m->ComponentState() & (csLoading | csReading));
    m->Free();
}

TEST_F(StoredForm, ReadingNamedPropertiesReportsTheirErrorsAsTheWholeReadDoes) {
    TTestModule m(nullptr);
    const std::string_view names[] = {"AddInName"};
    try {
        FormReader(table, "TestForm")
            .ReadRootProperties(
                m, ParseForm("object M: TTestModule\n  AddInName = ''\nend", "TestForm"), names);
        FAIL();
    } catch (const ECodedError& e) {
        // The setter's exception keeps its class and code.
        EXPECT_EQ(e.ErrorCode, 31101);
        EXPECT_NE(e.Message.find("Error reading M.AddInName: The AddInName property cannot be "
                                 "empty."),
                  std::string::npos)
            << e.Message;
        EXPECT_NE(e.Message.find("(form TestForm, line 2)"), std::string::npos) << e.Message;
    }
    EXPECT_FALSE(m.ComponentState() & (csLoading | csReading));
}

namespace {

int moduleFills = 0;
int otherFills = 0;

void RegisterModules(forms::FormClassTable& table) {
    ++moduleFills;
    table.Register<TTestModule, TDataModule>().StoredForm(kGoodForm);
}

void RegisterOthers(forms::FormClassTable& table) {
    ++otherFills;
    table.Register<TThing, TComponent>();
}

} // namespace

TEST(FormClassesOnDemand, FillEachTableOnceOnFirstUse) {
    moduleFills = otherFills = 0;
    forms::FormClassesOnDemand classes(&RegisterModules, &RegisterOthers);
    EXPECT_EQ(moduleFills + otherFills, 0);

    const forms::FormClassTable& modules = classes.Modules();
    EXPECT_EQ(moduleFills, 1);
    EXPECT_EQ(otherFills, 0);
    EXPECT_NE(modules.Find("TTestModule"), nullptr);
    EXPECT_EQ(modules.Find("TThing"), nullptr);
    EXPECT_EQ(&classes.Modules(), &modules);

    const forms::FormClassTable& whole = classes.Get();
    EXPECT_NE(&whole, &modules);
    EXPECT_EQ(moduleFills, 2);
    EXPECT_EQ(otherFills, 1);
    EXPECT_NE(whole.Find("TTestModule"), nullptr);
    EXPECT_NE(whole.Find("TThing"), nullptr);
    EXPECT_EQ(&classes.Get(), &whole);
    classes.Modules();
    EXPECT_EQ(moduleFills + otherFills, 3);
}

TEST_F(StoredForm, ReferencesReachOtherLiveModulesByName) {
    TTestModule* first = Create();
    TTestModule second(nullptr);
    ReadComponentForm(second,
                      "object Second: TTestModule\n  object T: TThing\n    Partner = Module.Group\n"
                      "  end\nend",
                      table, "TSecond");
    EXPECT_EQ(static_cast<TThing*>(second.FindComponent("T"))->Partner,
              first->FindComponent("Group"));
    first->Free();
}

namespace {

struct BadModule {
    const char* name;
    const char* form;
    int line;
    const char* message;
};

void PrintTo(const BadModule& bad, std::ostream* os) {
    *os << bad.name;
}

class FormReaderBad : public ::testing::TestWithParam<BadModule> {
protected:
    void SetUp() override {
        journal.clear();
        live = 0;
    }
    void TearDown() override { EXPECT_EQ(live, 0) << "objects leaked"; }
};

} // namespace

TEST_P(FormReaderBad, IsRefusedWithPositionAndLeavesNothingBehind) {
    const BadModule& bad = GetParam();
    forms::FormClassTable table;
    RegisterTestClasses(table, bad.form);
    try {
        table.Create<TTestModule>(nullptr);
        FAIL() << "accepted";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find(bad.message), std::string::npos) << e.Message;
        std::string position = "(form TTestModule, line " + std::to_string(bad.line) + ")";
        EXPECT_NE(e.Message.find(position), std::string::npos) << e.Message;
        if (auto* f = dynamic_cast<const EFormReadError*>(&e)) {
            EXPECT_EQ(f->Line, bad.line);
        }
    }
    // Neither OnCreate nor OnDestroy of a module that failed to load.
    for (const auto& entry : journal) {
        EXPECT_NE(entry, "OnCreate");
        EXPECT_EQ(entry.find("OnDestroy"), std::string::npos);
    }
    EXPECT_EQ(Screen().DataModuleCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormReaderBad,
    ::testing::Values(
        BadModule{"SetterErrorAborts",
                  "object M: TTestModule\n  OnCreate = ModuleCreate\n  AddInName = ''\nend", 3,
                  "Error reading M.AddInName: The AddInName property cannot be empty."},
        BadModule{"EmptySetRefusedBySetter", "object M: TTestModule\n  Hosts = []\nend", 2,
                  "Error reading M.Hosts: The SupportedApps property cannot be empty."},
        BadModule{"UnknownClass", "object M: TTestModule\n  object X: TNoSuch\n  end\nend", 2,
                  "Class TNoSuch not found"},
        BadModule{"AbstractClass", "object M: TTestModule\n  object X: TAbstractThing\n  end\nend",
                  2, "Class TAbstractThing is no component a form can create"},
        BadModule{"NonComponentClass", "object M: TTestModule\n  object X: TEntry\n  end\nend", 2,
                  "Class TEntry is no component"},
        BadModule{"UnknownProperty", "object M: TTestModule\n\n  Colour = 1\nend", 3,
                  "Error reading M.Colour: Property Colour does not exist"},
        BadModule{"UnknownPropertyOfChild",
                  "object M: TTestModule\n  object T: TThing\n    Nope = 1\n  end\nend", 3,
                  "Error reading T.Nope: Property Nope does not exist"},
        BadModule{"UnknownNestedProperty",
                  "object M: TTestModule\n  object T: TThing\n    Box.Nope = 1\n  end\nend", 3,
                  "Error reading T.Box.Nope: Property Nope does not exist"},
        BadModule{"DotOnPlainProperty", "object M: TTestModule\n  Count.X = 1\nend", 2,
                  "Error reading M.Count.X: Property Count has no properties of its own"},
        BadModule{"ObjectPropertyAssigned",
                  "object M: TTestModule\n  object T: TThing\n    Box = 1\n  end\nend", 3,
                  "Property Box cannot be set from a form"},
        BadModule{
            "StringForInteger", "object M: TTestModule\n  Count = '12'\nend", 2,
            "Error reading M.Count: Invalid property value: integer expected but string found"},
        BadModule{"IntegerOutOfRange", "object M: TTestModule\n  Small = 256\nend", 2,
                  "256 is not between 0 and 255"},
        BadModule{"IntegerForBoolean", "object M: TTestModule\n  Enabled = 1\nend", 2,
                  "True or False expected but integer found"},
        BadModule{"IdentifierForString", "object M: TTestModule\n  AddInName = Lorvane\nend", 2,
                  "string expected but identifier found"},
        BadModule{"UnknownEnumValue", "object M: TTestModule\n  Size = szHuge\nend", 2,
                  "szHuge is no value of this property"},
        BadModule{"UnknownSetElement", "object M: TTestModule\n  Hosts = [hWord, hVisio]\nend", 2,
                  "hVisio is no element of this set"},
        BadModule{"SetOrdinalOutOfRange", "object M: TTestModule\n  Hosts = [3]\nend", 2,
                  "3 is no element of this set"},
        BadModule{"StringInStringList", "object M: TTestModule\n  Lines = ('a' 1)\nend", 2,
                  "string expected but integer found"},
        BadModule{"UnknownMethod", "object M: TTestModule\n  OnStart = ModuleStrat\nend", 2,
                  "Error reading M.OnStart: Method ModuleStrat not found in TTestModule"},
        BadModule{"MethodOfWrongType", "object M: TTestModule\n  OnCount = ModuleStart\nend", 2,
                  "Method ModuleStart does not match the event's type"},
        BadModule{"MethodAsString", "object M: TTestModule\n  OnStart = 'ModuleStart'\nend", 2,
                  "method name expected but string found"},
        BadModule{
            "DuplicateComponentName",
            "object M: TTestModule\n  object T: TThing\n  end\n  object t: TThing\n  end\nend", 4,
            "Error reading t.Name: A component named t already exists"},
        BadModule{"MissingReference",
                  "object M: TTestModule\n  object T: TThing\n    Images = Nowhere\n  end\nend", 3,
                  "Error reading T.Images: Component Nowhere not found"},
        BadModule{"ReferenceOfWrongClass",
                  "object M: TTestModule\n  object T: TThing\n    Images = G\n  end\n  object G: "
                  "TContainer\n  end\nend",
                  3, "Component G is a TContainer, not a TThing"},
        BadModule{"ReferenceIsString",
                  "object M: TTestModule\n  object T: TThing\n    Images = 'G'\n  end\nend", 3,
                  "component name expected but string found"},
        BadModule{"ChildrenBeforeCodes",
                  "object M: TTestModule\n  object G: TContainer\n    Children = <\n      item\n   "
                  "   end>\n  end\nend",
                  4, "Error reading G.Children: No type code for item 0"},
        BadModule{
            "BadItemProperty",
            "object M: TTestModule\n  object G: TContainer\n    Codes = {01000000 08000000}\n    "
            "Children = <\n      item\n        Enabled = 3\n      end>\n  end\nend",
            6, "Error reading G.Children[0].Enabled: Invalid property value"},
        BadModule{
            "UnknownItemProperty",
            "object M: TTestModule\n  object T: TThing\n    Entries = <\n      item\n        Items "
            "= <\n          item\n            Nope = 1\n          end>\n      end>\n  end\nend",
            7, "Error reading T.Entries[0].Items[0].Nope: Property Nope does not exist"},
        BadModule{"BadPaneProperty",
                  "object M: TTestModule\n  object T: TThing\n    Panes = <\n      item\n      "
                  "end\n      item\n        Width = 'wide'\n      end>\n  end\nend",
                  7, "Error reading T.Panes[1].Width: Invalid property value: integer expected"},
        BadModule{
            "CollectionExpected",
            "object M: TTestModule\n  object T: TThing\n    Panes = 1\n  end\nend", 3,
            "Error reading T.Panes: Invalid property value: collection expected but integer found"},
        BadModule{"WrongRootClass", "object M: TThing\nend", 1,
                  "The form is one of TThing, not of TTestModule"},
        BadModule{"SyntaxError", "object M: TTestModule\n  Count = = 1\nend", 2,
                  "Property value expected"}));

TEST(FormReaderRobustness, EveryTruncationOfAFormFailsCleanly) {
    // A form cut anywhere is refused with an error or read; nothing crashes or leaks.
    std::string text = kGoodForm;
    for (size_t cut = 0; cut < text.size(); ++cut) {
        live = 0;
        forms::FormClassTable table;
        RegisterTestClasses(table, text.substr(0, cut));
        try {
            table.Create<TTestModule>(nullptr)->Free();
        } catch (const Exception&) {
        }
        ASSERT_EQ(live, 0) << "at " << cut;
    }
}

TEST(FormReaderErrors, ASetterExceptionKeepsItsClassAndCode) {
    live = 0;
    forms::FormClassTable table;
    RegisterTestClasses(table, "object M: TTestModule\n  AddInName = ''\nend");
    try {
        table.Create<TTestModule>(nullptr);
        FAIL();
    } catch (const ECodedError& e) {
        EXPECT_EQ(e.ErrorCode, 31101);
        EXPECT_EQ(e.Message, "Error reading M.AddInName: The AddInName property cannot be empty. "
                             "(form TTestModule, line 2)");
    }
    EXPECT_EQ(live, 0);
}

TEST(FormReaderErrors, UnknownClassesRaiseClassNotFound) {
    forms::FormClassTable table;
    RegisterTestClasses(table, "object M: TTestModule\n  object X: TNoSuch\n  end\nend");
    EXPECT_THROW(table.Create<TTestModule>(nullptr), EClassNotFound);
    EXPECT_THROW(table.Create("TNoSuch", nullptr), EClassNotFound);
}
