// TStringList: name=value lines, sorting and duplicates, letter case, texts
// with their line breaks and quoting, files, owned objects and notifications.
#include "tests/support/ExpectRaises.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/StringList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.Strings(i));
    return out;
}

void Fill(TStrings& list, const std::vector<std::string>& lines) {
    list.Clear();
    for (const std::string& s : lines)
        list.Add(s);
}

// An object that counts how many of its kind are alive.
class Counted : public TObject {
public:
    explicit Counted(int& alive) : alive_(alive) { ++alive_; }
    ~Counted() override { --alive_; }

private:
    int& alive_;
};

TEST(StringList, NamesAndValuesSplitAtTheFirstSeparator) {
    TStringList list;
    Fill(list, {"a=1", "B=2", "c", "d==x", "=empty name"});
    EXPECT_EQ(list.Names(0), "a");
    EXPECT_EQ(list.Names(2), ""); // no separator: no name
    EXPECT_EQ(list.ValueFromIndex(2), "");
    EXPECT_EQ(list.Names(3), "d");
    EXPECT_EQ(list.ValueFromIndex(3), "=x");
    EXPECT_EQ(list.Values("b"), "2"); // names ignore letter case
    EXPECT_EQ(list.Values(""), "empty name");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.IndexOfName("D"), 3);
    EXPECT_EQ(list.IndexOfName("c"), -1); // a line without separator has no name
}

TEST(StringList, SettingValuesReplacesAddsOrDeletesLines) {
    TStringList list;
    Fill(list, {"a=1", "B=2", "c=3"});
    list.SetValues("b", "two");
    list.SetValues("new", "v");
    list.SetValues("a", ""); // an empty value deletes the line
    list.SetValues("gone", "");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"b=two", "c=3", "new=v"}));
    list.SetValueFromIndex(0, "2");
    list.SetValueFromIndex(2, "");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"b=2", "c=3"}));
    list.AddPair("key", "value=with separator");
    EXPECT_EQ(list.Values("KEY"), "value=with separator");
}

TEST(StringList, OtherNameValueSeparator) {
    TStringList list;
    list.NameValueSeparator = ':';
    Fill(list, {"a=1:x", "b:2"});
    EXPECT_EQ(list.Names(0), "a=1");
    EXPECT_EQ(list.Values("b"), "2");
    list.SetValues("c", "3");
    EXPECT_EQ(list.Strings(2), "c:3");
}

TEST(StringList, LookUpsIgnoreLetterCaseUnlessCaseSensitive) {
    TStringList list;
    Fill(list, {"Inbox", "Äpfel"});
    EXPECT_EQ(list.IndexOf("INBOX"), 0);
    EXPECT_EQ(list.IndexOf("äPFEL"), 1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("INBOX"), -1);
    EXPECT_EQ(list.IndexOf("Inbox"), 0);
}

TEST(StringList, SortedListPlacesStringsAndHandlesDuplicates) {
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    list.Add("A");
    EXPECT_EQ(list.Add("c"), 2);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "b", "c"}));

    EXPECT_EQ(list.Add("B"), 1); // dupIgnore: the existing index, nothing added
    EXPECT_EQ(list.Count(), 3);

    list.Duplicates = dupError;
    ExpectRaises<EStringListError>([&] { list.Add("a"); }, "String list does not allow duplicates");

    list.Duplicates = dupAccept;
    list.Add("a");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "A", "b", "c"}));

    int index = -1;
    EXPECT_TRUE(list.Find("B", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("bb", index));
    EXPECT_EQ(index, 3); // where it would go
    EXPECT_EQ(list.IndexOf("C"), 3);
}

TEST(StringList, SortedListRefusesPositionalChanges) {
    TStringList list;
    Fill(list, {"b", "a"});
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b"}));
    ExpectRaises<EStringListError>([&] { list.Insert(0, "x"); },
                                   "Operation not allowed on sorted list");
    ExpectRaises<EStringListError>([&] { list.SetStrings(0, "x"); },
                                   "Operation not allowed on sorted list");
}

TEST(StringList, ChangingCaseSensitivityResortsASortedList) {
    TStringList list;
    list.SetSorted(true);
    Fill(list, {"b", "a", "B", "C"});
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "C"})); // "B" ignored as duplicate
    list.Duplicates = dupAccept;
    list.Add("B");
    list.SetCaseSensitive(true);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"B", "C", "a", "b"}));
}

TEST(StringList, CustomSortIsStable) {
    TStringList list;
    Fill(list, {"ccc", "b", "aa", "d", "ee"});
    list.CustomSort([](TStringList* l, int a, int b) {
        return static_cast<int>(l->Strings(a).size()) - static_cast<int>(l->Strings(b).size());
    });
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"b", "d", "aa", "ee", "ccc"}));
    list.Sort();
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"aa", "b", "ccc", "d", "ee"}));
}

TEST(StringList, IndexOutsideTheListRaisesStringListError) {
    TStringList list;
    Fill(list, {"a", "b"});
    auto expectIndexError = [](auto action, const std::string& message) {
        ExpectRaises<EStringListError>(action, message);
    };
    expectIndexError([&] { list.Strings(2); }, "List index out of bounds (2)");
    expectIndexError([&] { list.Objects(-1); }, "List index out of bounds (-1)");
    expectIndexError([&] { list.Delete(5); }, "List index out of bounds (5)");
    expectIndexError([&] { list.Insert(3, "x"); }, "List index out of bounds (3)");
    expectIndexError([&] { list.Exchange(0, 2); }, "List index out of bounds (2)");
    expectIndexError([&] { list.SetCapacity(1); }, "List capacity out of bounds (1)");
    expectIndexError([&] { list.View(2); }, "List index out of bounds (2)");
    EXPECT_EQ(list.View(1), "b");
    list.Insert(2, "c"); // Count itself is a valid insert position
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, TextJoinsWithCrLfAndReadsEveryLineBreak) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd\r\n");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetText("\r\n\r\nlast");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"", "", "last"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
    list.SetText("x\n\ny");
    list.LineBreak = "\n";
    EXPECT_EQ(list.Text(), "x\n\ny\n");
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
    TStringList list;
    Fill(list, {"a", "b c", "", "d,e", "f\"g"});
    EXPECT_EQ(list.CommaText(), "a,\"b c\",,\"d,e\",\"f\"\"g\"");
    Fill(list, {""});
    EXPECT_EQ(list.CommaText(), "\"\"");
    list.SetCommaText("a b, c,,\"d \"\"e\"\" \" ,");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c", "", "d \"e\" ", ""}));
}

TEST(StringList, CommaAndDelimitedTextsRoundTrip) {
    const std::vector<std::vector<std::string>> lists = {
        {},
        {""},
        {"", ""},
        {"one"},
        {"a", "b c", "", "d,e", "f\"g", " lead", "trail ", "tab\there", "é ü"},
        {"semi;colon", "'quoted'", "x"},
    };
    for (const auto& lines : lists) {
        TStringList source, copy;
        Fill(source, lines);
        copy.SetCommaText(source.CommaText());
        EXPECT_EQ(Lines(copy), lines) << source.CommaText();

        for (bool strict : {false, true}) {
            source.Delimiter = copy.Delimiter = ';';
            source.QuoteChar = copy.QuoteChar = '\'';
            source.StrictDelimiter = copy.StrictDelimiter = strict;
            copy.SetDelimitedText(source.DelimitedText());
            EXPECT_EQ(Lines(copy), lines) << source.DelimitedText();
        }
    }
}

TEST(StringList, StrictDelimiterKeepsBlanks) {
    TStringList list;
    list.Delimiter = ';';
    list.StrictDelimiter = true;
    list.SetDelimitedText(" a b ;\"c;d\";");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{" a b ", "c;d", ""}));
    EXPECT_EQ(list.DelimitedText(), " a b ;\"c;d\";");
}

class StringListFiles : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return home_.path + "/" + name; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    TempPlatformHome home_;
};

TEST_F(StringListFiles, SaveWritesCrLfLinesAndLoadReadsThemBack) {
    TStringList list;
    Fill(list, {"key1=Work, Private", "key2=Caf\xE9"}); // a Windows-1252 byte stays as it is
    list.SaveToFile(Path("ZubDetails.txt"));
    EXPECT_EQ(Read(Path("ZubDetails.txt")), "key1=Work, Private\r\nkey2=Caf\xE9\r\n");

    TStringList loaded;
    loaded.LoadFromFile(Path("ZubDetails.txt"));
    EXPECT_TRUE(loaded.Equals(list));
    EXPECT_EQ(loaded.Values("KEY2"), "Caf\xE9");
}

TEST_F(StringListFiles, LoadSkipsAByteOrderMarkAndTakesLfLines) {
    std::ofstream(Path("bom.txt"), std::ios::binary) << "\xEF\xBB\xBF"
                                                        "first\nsecond";
    TStringList list;
    list.LoadFromFile(Path("bom.txt"));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"first", "second"}));
}

TEST_F(StringListFiles, MissingFileRaisesOpenErrorAndKeepsTheList) {
    TStringList list;
    list.Add("kept");
    ExpectRaises<EFOpenError>([&] { list.LoadFromFile(Path("missing.txt")); },
                              "Cannot open file \"" + Path("missing.txt") +
                                  "\". No such file or directory");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"kept"}));
}

TEST_F(StringListFiles, SaveIntoAMissingFolderRaisesCreateError) {
    TStringList list;
    EXPECT_THROW(list.SaveToFile(Path("no/such/folder.txt")), EFCreateError);
}

TEST(StringList, OwnedObjectsAreFreedWithTheirStrings) {
    int alive = 0;
    {
        TStringList list(true);
        for (const char* s : {"a", "b", "c", "d"})
            list.AddObject(s, new Counted(alive));
        EXPECT_EQ(alive, 4);
        list.Delete(0);
        EXPECT_EQ(alive, 3);
        list.Move(0, 2); // moving keeps the object
        list.Exchange(0, 1);
        EXPECT_EQ(alive, 3);
        EXPECT_EQ(Lines(list), (std::vector<std::string>{"d", "c", "b"}));
        EXPECT_NE(list.Objects(0), nullptr);
        list.Clear();
        EXPECT_EQ(alive, 0);
        list.AddObject("e", new Counted(alive));
    }
    EXPECT_EQ(alive, 0);

    TStringList notOwning;
    Counted kept(alive);
    notOwning.AddObject("k", &kept);
    notOwning.Clear();
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(notOwning.IndexOfObject(&kept), -1);
}

TEST(StringList, ChangeNotificationsFireOncePerUpdate) {
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changing;
    };
    list.OnChange = [&](TObject*) { ++changed; };
    list.Add("a");
    EXPECT_EQ(changed, 1);
    list.BeginUpdate();
    list.Add("b");
    list.SetText("x\ny\nz"); // nested updates
    list.Delete(0);
    EXPECT_EQ(changed, 1);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
}

TEST(StringList, AssignCopiesStringsObjectsAndTextSettings) {
    TStringList source;
    source.NameValueSeparator = ':';
    source.LineBreak = "\n";
    TObject marker;
    source.AddObject("n:v", &marker);
    source.AddStrings(source); // adding itself doubles once
    TStringList copy;
    copy.Add("old");
    copy.Assign(&source);
    EXPECT_EQ(Lines(copy), (std::vector<std::string>{"n:v", "n:v"}));
    EXPECT_EQ(copy.Objects(1), &marker);
    EXPECT_EQ(copy.Values("n"), "v");
    EXPECT_EQ(copy.Text(), "n:v\nn:v\n");

    ExpectRaises<EConvertError>([&] { copy.Assign(nullptr); },
                                "Cannot assign a nil to a TStringList");
}

TEST(StringList, ClassNamesAreThoseOfTheClassLibrary) {
    TStringList list;
    EXPECT_EQ(list.ClassName(), "TStringList");
    TStrings& base = list;
    EXPECT_EQ(base.ClassName(), "TStringList");
    EXPECT_EQ(ClassNameOf<Counted>(), "Counted");
}

} // namespace
