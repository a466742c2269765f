// "Zub.xml": the default file byte for byte, settings that survive a save
// and a load whatever their letters, the readings the file allows (8-bit
// files, other switch words, slots and records out of range), faults that
// stop the reading without leaving the settings half made, and a save that
// fails without touching the old file or the user's choices.
#include "tests/addin/AddInSession.h"
#include "tests/addin/FileSizeLimit.h"
#include "tests/addin/ProductTestSupport.h"
#include "tests/support/ExpectRaises.h"

#include "addin/settings/ConfigFile.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "addin/settings/Settings.h"
#include "platform/rtl/FileUtils.h"
#include "xml/SaxErrors.h"
#include "xml/uRwXMLDOM.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Everything the file holds, comparable.
struct Settings {
    TFolderRecord Record0, Record1;
    std::string Caption, Category;
    std::vector<int> Switches;
    int TimerDelay = 0;
    std::vector<std::string> Expanded;
    TMruList Mru;
    bool operator==(const Settings&) const = default;
};

Settings SettingsNow() {
    const TProgramState& s = ProgramState();
    Settings now{s.FolderRecords[0],
                 s.FolderRecords[1],
                 s.MainButtonCaption,
                 s.DefaultCategory,
                 {s.folderdef, s.folderask, s.categdef, s.categask, s.categmaintain, s.calendadd,
                  s.taskadd, s.nolistupdates, s.firsttime},
                 s.timerdelay,
                 {},
                 s.MruList};
    if (s.ExpandedNodes)
        for (int i = 0; i < s.ExpandedNodes->Count(); ++i)
            now.Expanded.push_back((*s.ExpandedNodes)[i]);
    return now;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// The lines of a text, without their CR LF.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class ConfigFileTest : public ProductTest {
protected:
    static void WriteConfig(const std::string& bytes) {
        std::ofstream(ConfigFilePath(), std::ios::binary) << bytes;
    }
    // A file with the writer's declaration and config holding body.
    static void WriteConfigBody(const std::string& body) {
        WriteConfig(std::string(ConfigDeclaration) + "\r\n<config>" + body + "</config>\r\n");
    }
    // The names in the data folder.
    static std::vector<std::string> DataFolderNames() {
        std::vector<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(ExtractFileDir(ConfigFilePath())))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST_F(ConfigFileTest, TheDefaultSettingsWriteTheDefaultFileByteForByte) {
    ProgramState().MainButtonCaption = "Lorvane"; // as start-up leaves it
    ASSERT_TRUE(SaveButtonsToFile());
    const std::string golden = ReadBytes(LORVANE_TEST_DATA "/Zub-default.xml");
    const std::string written = ReadBytes(ConfigFilePath());
    ASSERT_EQ(Lines(written), Lines(golden));
    EXPECT_EQ(written, golden);
}

TEST_F(ConfigFileTest, SettingsReadBackAsTheyWereSavedWhateverTheirLetters) {
    TProgramState& s = ProgramState();
    s.FolderRecords[1] = {"Mail & Co", "Mail & Co", "00A1B2", "Mail & Co\\\"Quoted\" <x>\\Café"};
    s.MainButtonCaption = " Track <&> Send ";
    s.DefaultCategory = "R&D, 'Urgent', Élan, Почта, 日本語, 😀, a&amp b, tab\there, two\r\nlines";
    s.folderdef = 1;
    s.categask = 1;
    s.categmaintain = 0;
    s.taskadd = 1;
    s.nolistupdates = 1;
    s.firsttime = 1;
    s.timerdelay = 250;
    s.ExpandedNodes = std::make_unique<TStringList>();
    s.ExpandedNodes->Add("0000AA01");
    s.ExpandedNodes->Add("0000AA02");
    s.MruList.ToTop("Ünïcode\\Ordner", "Ünïcode", "S2", -1);
    s.MruList.ToTop("Mail & Co\\<Projects>", "Mail & Co", "00A1B2", -1);
    ASSERT_TRUE(SaveButtonsToFile());
    const Settings saved = SettingsNow();

    ResetProgramState();
    LoadButtonsFromFile();
    EXPECT_EQ(SettingsNow(), saved);
    EXPECT_EQ(ProgramState().anydefaultaction, 1);
}

TEST_F(ConfigFileTest, EmptyRecentlyUsedSlotsAreLeftOutOfTheFileAndStayFree) {
    ProgramState().MruList.ToTop("S\\A", "S", "1", -1);
    ProgramState().MruList.ToTop("S\\B", "S", "1", -1);
    ASSERT_TRUE(SaveButtonsToFile());
    const std::string written = ReadBytes(ConfigFilePath());
    EXPECT_NE(written.find("<mru id=\"2\">"), std::string::npos);
    EXPECT_EQ(written.find("<mru id=\"3\">"), std::string::npos);
    ResetProgramState();
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().MruList.Count(), 2);
    EXPECT_EQ(ProgramState().MruList.Slot(1).Folder, "S\\B");
}

TEST_F(ConfigFileTest, ARecordWithoutFolderNameIsWrittenEmpty) {
    ProgramState().FolderRecords[1] = {"Store", "Store", "00A1", ""};
    ASSERT_TRUE(SaveButtonsToFile());
    const std::vector<std::string> lines = Lines(ReadBytes(ConfigFilePath()));
    EXPECT_EQ(lines[8], "      <storenameid/>");
    EXPECT_EQ(lines[9], "      <storeid/>");
}

TEST_F(ConfigFileTest, AStartWithoutTheFileKeepsTheDefaults) {
    ProgramState().FolderRecords[1] = {"S", "S", "1", "S\\A"};
    LoadButtonsFromFile();
    EXPECT_FALSE(FileExists(ConfigFilePath()));
    Settings defaults = SettingsNow();
    ResetProgramState();
    EXPECT_EQ(defaults, SettingsNow());
    // Maintain Categories is on, but nothing computed any-default-action.
    EXPECT_EQ(ProgramState().categmaintain, 1);
    EXPECT_EQ(ProgramState().anydefaultaction, 0);
}

TEST_F(ConfigFileTest, AnEmptyFileYieldsNothingButTheClearedRecord) {
    for (const std::string& bytes : {std::string(), std::string("\r\n")}) {
        ProgramState().FolderRecords[1] = {"S", "S", "1", "S\\A"};
        ProgramState().DefaultCategory = "Kept";
        WriteConfig(bytes);
        LoadButtonsFromFile();
        EXPECT_FALSE(ProgramState().FolderRecords[1].HoldsFolder());
        EXPECT_EQ(ProgramState().DefaultCategory, "Kept");
    }
}

TEST_F(ConfigFileTest, AFileWithoutTheUtf8DeclarationIsReadAs8BitText) {
    // Written on Windows in its code page: "é" is the single byte E9.
    WriteConfig("<?xml version=\"1.0\"?>\r\n<config><setup>"
                "<CategoryStringDef>Caf\xE9</CategoryStringDef></setup></config>\r\n");
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().DefaultCategory, "Café");
}

TEST_F(ConfigFileTest, TheUtf8DeclarationIsRecognisedInAnyLetterCase) {
    WriteConfig("<?XML VERSION=\"1.0\" ENCODING=\"utf-8\" ?>\n<config><setup>"
                "<CategoryStringDef>\xC3\x89lan \xD0\x9F</CategoryStringDef></setup></config>\n");
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().DefaultCategory, "Élan П");
}

TEST_F(ConfigFileTest, LinesEndedByLineFeedsAloneReadAsWell) {
    ProgramState().DefaultCategory = "Blue";
    ProgramState().folderask = 1;
    ASSERT_TRUE(SaveButtonsToFile());
    std::string text = ReadBytes(ConfigFilePath());
    std::erase(text, '\r');
    WriteConfig(text);
    ResetProgramState();
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().DefaultCategory, "Blue");
    EXPECT_EQ(ProgramState().folderask, 1);
}

TEST_F(ConfigFileTest, SwitchesAreNumbersOrTrueAndFalseInAnyLetterCase) {
    WriteConfigBody("<setup><folderdef>True</folderdef><folderask>false</folderask>"
                    "<categdef>2</categdef><categmaintain>0</categmaintain>"
                    "<timerdelay>40</timerdelay></setup>");
    LoadButtonsFromFile();
    const TProgramState& s = ProgramState();
    EXPECT_EQ(s.folderdef, 1);
    EXPECT_EQ(s.folderask, 0);
    EXPECT_EQ(s.categdef, 1);
    EXPECT_EQ(s.categmaintain, 0);
    EXPECT_EQ(s.timerdelay, 40);
    EXPECT_EQ(s.anydefaultaction, 1);
}

TEST_F(ConfigFileTest, ANegativeDelayReadsAndTheSettingsAfterItToo) {
    WriteConfigBody("<setup><timerdelay>-5</timerdelay><calendadd>-1</calendadd></setup>");
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().timerdelay, -5);
    EXPECT_EQ(ProgramState().calendadd, 1);
}

TEST_F(ConfigFileTest, AnyDefaultActionIsOffWhenEveryDefaultActionIsOff) {
    ProgramState().anydefaultaction = 1;
    // nolistupdates and firsttime are no default actions.
    WriteConfigBody("<setup><categmaintain>0</categmaintain><nolistupdates>-1</nolistupdates>"
                    "<firsttime>-1</firsttime></setup>");
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().anydefaultaction, 0);
}

// An mru element for slot id holding folder "S\name" of store S with store id sid.
std::string MruElement(const std::string& id, const std::string& name,
                       const std::string& sid = "9") {
    return "<mru id=\"" + id + "\"><mrufolder>" + (name.empty() ? "" : "S\\" + name) +
           "</mrufolder><mrustore>S</mrustore><mrustoreid>" + sid + "</mrustoreid></mru>";
}

TEST_F(ConfigFileTest, RecentlyUsedSlotsReadMoveUpInIdOrderToFillSlotsFromOne) {
    struct Case {
        const char* what;
        std::string elements;
        std::vector<TMruEntry> expected; // slots 1 on
    };
    const Case cases[] = {
        {"gaps",
         MruElement("5", "Five") + MruElement("1", "One") + MruElement("2", "Two"),
         {{"S\\One", "S", "9"}, {"S\\Two", "S", "9"}, {"S\\Five", "S", "9"}}},
        {"ids outside 1 to 20",
         MruElement("0", "Zero") + MruElement("21", "TwentyOne") + MruElement("-3", "Minus") +
             MruElement("20", "Twenty"),
         {{"S\\Twenty", "S", "9"}}},
        {"ids that are no numbers",
         MruElement("x", "X") + MruElement("", "Empty") + MruElement("3", "Three") +
             MruElement("2.5", "Half") + MruElement("99999999999", "Huge"),
         {{"S\\Three", "S", "9"}}},
        {"a repeated id: the later element wins whole",
         MruElement("2", "Early", "1") + MruElement("4", "Four") +
             "<mru id=\"2\"><mrufolder>S\\Late</mrufolder></mru>",
         {{"S\\Late", "", ""}, {"S\\Four", "S", "9"}}},
        {"a slot without folder is a gap",
         MruElement("1", "") + MruElement("2", "Two") + "<mru id=\"3\"/>" + MruElement("4", "Four"),
         {{"S\\Two", "S", "9"}, {"S\\Four", "S", "9"}}},
        {"a repeated id that empties its slot",
         MruElement("1", "One") + MruElement("2", "Two") + MruElement("1", ""),
         {{"S\\Two", "S", "9"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        WriteConfigBody("<mrulist>" + c.elements + "</mrulist>");
        LoadButtonsFromFile();
        const TMruList& list = ProgramState().MruList;
        std::vector<TMruEntry> read;
        for (int slot = 1; slot <= TMruList::Slots; ++slot)
            if (list.Slot(slot).Used() || !list.Slot(slot).Store.empty())
                read.push_back(list.Slot(slot));
        EXPECT_EQ(read, c.expected);
        EXPECT_EQ(list.Count(), static_cast<int>(c.expected.size()));
        for (int slot = 1; slot <= list.Count(); ++slot)
            EXPECT_TRUE(list.Slot(slot).Used()) << slot;
    }
}

TEST_F(ConfigFileTest, AListWithGapsIsWrittenBackContiguous) {
    WriteConfigBody("<mrulist>" + MruElement("1", "One") + MruElement("2", "Two") +
                    MruElement("5", "Five") + "</mrulist>");
    LoadButtonsFromFile();
    ASSERT_TRUE(SaveButtonsToFile());
    const std::string written = ReadBytes(ConfigFilePath());
    const std::string third = WrittenMruElement(written, 3);
    ASSERT_FALSE(third.empty()) << written;
    EXPECT_NE(third.find("<mrufolder>S\\Five</mrufolder>"), std::string::npos) << written;
    EXPECT_EQ(WrittenMruElement(written, 4), "");
    EXPECT_EQ(WrittenMruElement(written, 5), "");
}

TEST_F(ConfigFileTest, AFaultInTheListLeavesTheSlotsReadContiguous) {
    WriteConfigBody("<mrulist>" + MruElement("2", "Two") + MruElement("4", "Four") +
                    "<mru><mrufolder>S\\X</mrufolder></mru>" + MruElement("6", "Six") +
                    "</mrulist>");
    ExpectRaises<EQelError>([] { LoadButtonsFromFile(); },
                            Format("<mru> without id in \"%s\"", {ConfigFilePath()}));
    const TMruList& list = ProgramState().MruList;
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Slot(1).Folder, "S\\Two");
    EXPECT_EQ(list.Slot(2).Folder, "S\\Four");
}

TEST_F(ConfigFileTest, FolderRecordsZeroAndOneAreReadAndOtherIdsIgnored) {
    WriteConfigBody("<folders>"
                    "<folder id=\"0\"><foldername>P\\Picked</foldername><storename>P</storename>"
                    "<storenameid>P</storenameid><storeid>7</storeid></folder>"
                    "<folder id=\"2\"><foldername>X</foldername></folder>"
                    "<folder id=\"1\"><foldername>D</foldername><storename>D</storename>"
                    "<storenameid>D</storenameid><storeid>8</storeid></folder>"
                    "</folders>");
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().FolderRecords[0], (TFolderRecord{"P", "P", "7", "P\\Picked"}));
    EXPECT_EQ(ProgramState().FolderRecords[1], (TFolderRecord{"D", "D", "8", "D"}));
}

TEST_F(ConfigFileTest, ReadingTheTreeStateReplacesTheRememberedNodes) {
    TProgramState& s = ProgramState();
    s.ExpandedNodes = std::make_unique<TStringList>();
    s.ExpandedNodes->Add("E1");
    s.ExpandedNodes->Add("E2");
    ASSERT_TRUE(SaveButtonsToFile());
    LoadButtonsFromFile();
    ASSERT_TRUE(SaveButtonsToFile());
    LoadButtonsFromFile();
    EXPECT_EQ(SettingsNow().Expanded, (std::vector<std::string>{"E1", "E2"}));

    // Without a list (after shutdown) reading makes one.
    s.ExpandedNodes.reset();
    LoadButtonsFromFile();
    EXPECT_EQ(SettingsNow().Expanded, (std::vector<std::string>{"E1", "E2"}));
}

TEST_F(ConfigFileTest, AFaultStopsTheReadingAndKeepsWhatWasRead) {
    const std::string before = "<mainbutton><buttoncaption>Before</buttoncaption></mainbutton>"
                               "<setup><folderdef>-1</folderdef>";
    const std::string after = "<mrulist><mru id=\"1\"><mrufolder>S\\After</mrufolder></mru>"
                              "</mrulist>";
    struct Case {
        const char* fault;
        const char* message; // %s stands for the file's path
    };
    const Case cases[] = {
        {"<categask>maybe</categask><calendadd>-1</calendadd></setup>",
         "Invalid <categask> in \"%s\": 'maybe' is not a valid boolean value"},
        {"<calendadd></calendadd></setup>",
         "Invalid <calendadd> in \"%s\": '' is not a valid boolean value"},
        {"<timerdelay>ten</timerdelay><calendadd>-1</calendadd></setup>",
         "Invalid <timerdelay> in \"%s\": 'ten' is not a valid integer value"},
        {"<timerdelay>99999999999</timerdelay><calendadd>-1</calendadd></setup>",
         "Invalid <timerdelay> in \"%s\": '99999999999' is not a valid integer value"},
        {"</setup><folders><folder><foldername>F</foldername></folder></folders>",
         "<folder> without id in \"%s\""},
        {"</setup><folders><folder id=\"one\"/></folders>",
         "Invalid <folder> in \"%s\": 'one' is not a valid integer value"},
        {"</setup><mrulist><mru><mrufolder>S\\X</mrufolder></mru></mrulist>",
         "<mru> without id in \"%s\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        ResetProgramState();
        WriteConfigBody(before + c.fault + after);
        ExpectRaises<EQelError>([] { LoadButtonsFromFile(); },
                                Format(c.message, {ConfigFilePath()}));
        const TProgramState& s = ProgramState();
        EXPECT_EQ(s.MainButtonCaption, "Before");
        EXPECT_EQ(s.folderdef, 1);
        EXPECT_EQ(s.calendadd, 0);
        EXPECT_EQ(s.timerdelay, 10);
        EXPECT_EQ(s.MruList.Count(), 0);
        // The switches read agree with what start-up will arm.
        EXPECT_EQ(s.anydefaultaction, 1);
    }
}

TEST_F(ConfigFileTest, AFileThatDoesNotParseRaisesTheReadersErrorAndChangesNothing) {
    // Files cut short, as by a crash while an older version wrote them in place.
    for (const char* end : {"<setup><folderdef>-1", "<setup><folder", "<setup><!-- note"}) {
        SCOPED_TRACE(end);
        ResetProgramState();
        ProgramState().FolderRecords[1] = {"S", "S", "1", "S\\A"};
        WriteConfig(std::string(ConfigDeclaration) +
                    "\r\n<config><mainbutton><buttoncaption>Half</buttoncaption></mainbutton>" +
                    end);
        EXPECT_THROW(LoadButtonsFromFile(), ESAXException);
        const TProgramState& s = ProgramState();
        EXPECT_EQ(s.MainButtonCaption, "");
        EXPECT_EQ(s.folderdef, 0);
        EXPECT_EQ(s.anydefaultaction, 0);
        EXPECT_FALSE(s.FolderRecords[1].HoldsFolder());
    }
}

TEST_F(ConfigFileTest, AFailedSaveKeepsTheOldFileSaysSoAndKeepsTheUsersChoice) {
    ProgramState().MainButtonCaption = "Old";
    ASSERT_TRUE(SaveButtonsToFile());
    const std::string old = ReadBytes(ConfigFilePath());

    // The user chooses new settings, and the disk is full.
    ProgramState().MainButtonCaption = std::string(200, 'N');
    ProgramState().folderask = 1;
    bool stored = true;
    {
        FileSizeLimit diskFull(old.size() + 16);
        stored = SaveAndReloadButtons();
    }

    EXPECT_FALSE(stored);
    EXPECT_EQ(ReadBytes(ConfigFilePath()), old);
    EXPECT_EQ(DataFolderNames(), (std::vector<std::string>{"Zub.xml", "ZubLogFile.txt"}));
    const std::vector<std::string> log = LogLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_TRUE(log[0].starts_with(LogTime + "Exception in SaveButtonsToFile: Cannot create file"))
        << log[0];
    // The old file was not read back over the user's choice.
    EXPECT_EQ(ProgramState().MainButtonCaption, std::string(200, 'N'));
    EXPECT_EQ(ProgramState().folderask, 1);
    EXPECT_EQ(ProgramState().anydefaultaction, 1);
}

TEST_F(ConfigFileTest, ASaveThatWorksIsReadBack) {
    ProgramState().taskadd = 1;
    EXPECT_TRUE(SaveAndReloadButtons());
    EXPECT_EQ(ProgramState().anydefaultaction, 1);
    EXPECT_TRUE(FileExists(ConfigFilePath()));
}

TEST_F(ConfigFileTest, ResettingTheFileClearsOnlyTheDefaultFolderInMemory) {
    TProgramState& s = ProgramState();
    s.FolderRecords[1] = {"S", "S", "1", "S\\A"};
    s.DefaultCategory = "Red";
    s.categdef = 1;
    ASSERT_TRUE(SaveButtonsToFile());
    ResetConfigFile();
    EXPECT_FALSE(FileExists(ConfigFilePath()));
    EXPECT_EQ(s.FolderRecords[1], TFolderRecord());
    EXPECT_EQ(s.DefaultCategory, "Red");
    EXPECT_EQ(s.categdef, 1);
}

TEST_F(ConfigFileTest, ResettingTheFilePlacesTheRibbonStateAgain) {
    ProgramState().calendadd = 1;
    ASSERT_TRUE(SaveButtonsToFile());
    ResetProgramState();
    sim::OutlookSim outlook;
    AddInSession session(outlook);
    ASSERT_TRUE(session.Module().OnOLInspectorActivate);
    // The configuration dialog's "Defaults" turns the switches off before
    // the file is read again.
    ProgramState().anydefaultaction = 0;
    ResetConfigFile();
    EXPECT_FALSE(session.Module().OnOLInspectorActivate);
    EXPECT_FALSE(session.Module().OnOLExplorerSelectionChange);
}

TEST_F(ConfigFileTest, ElementsAndCommentsAreAddedToTheDocument) {
    ComPtr<IRwDOMDocument> doc;
    RwGetDOMDocumentFromString(u"<?xml version=\"1.0\"?>", doc);
    AddDomComment(doc.Get(), u"note -- kept");
    auto root = AddDomElement(doc.Get(), u"root", u"");
    auto a = AddDomElement(root.Get(), u"a", u"x<y & \"z\"");
    AddDomElement(root.Get(), u"b", u"");
    EXPECT_EQ(a->GetNodeValue(), u"x<y & \"z\"");
    EXPECT_EQ(a->GetParentNode()->GetNodeName(), u"root");
    EXPECT_EQ(doc->GetFormatXML("\n", "", " "), u"<?xml version=\"1.0\"?>\n"
                                                u"<!--note -- kept-->\n"
                                                u"<root>\n"
                                                u" <a>x&lt;y &amp; &quot;z&quot;</a>\n"
                                                u" <b/>\n"
                                                u"</root>\n");
}

TEST_F(ConfigFileTest, TheFilesEncodingReplacesTheDeclarationAndIsUndoneOnReading) {
    const std::u16string text = u"<?xml version=\"1.0\"?>\r\n<a>é Ж 😀</a>\r\n";
    const std::string bytes = AUtf8EncodeReedwingXML(text);
    EXPECT_EQ(bytes, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
                     "<a>\xC3\xA9 \xD0\x96 \xF0\x9F\x98\x80</a>\r\n");
    EXPECT_EQ(AUtf8DecodeReedwingXml(bytes), text);
    // A text without the writer's declaration gets the file's in front.
    EXPECT_EQ(AUtf8EncodeReedwingXML(u"<a/>"), std::string(ConfigDeclaration) + "<a/>");
    // Without the file's declaration the bytes are 8-bit text.
    EXPECT_EQ(AUtf8DecodeReedwingXml("<a>Caf\xE9</a>"), u"<a>Café</a>");
}
