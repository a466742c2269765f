// Keyboard shortcuts of command-bar buttons: a button's own shortcut and its
// caption's accelerator run it once, after the hook returned; a disabled
// button or a hidden or disabled bar swallows an accelerator without running
// it, while a button whose own shortcut is the key runs on any bar; a held
// key runs once and an unknown key passes on. Shortcut texts match whatever
// the order of their modifiers, punctuation keys have names, and a caption's
// accelerator skips doubled ampersands and ampersands before a blank; a host
// that cannot tell a button's keys makes the hook show nothing. Each module
// keeps its own hook: a second module of the library (a registration run
// inside the host) leaves the live module's shortcuts working.
#include "tests/framework/CommandBarTestSupport.h"

#include "framework/commandbars/ShortcutTexts.h"
#include "framework/hosts/HiddenWindows.h"
#include "platform/win/Hook.h"
#include "platform/win/Window.h"

#include <functional>

using namespace fwtest;

namespace {

// A bar with two buttons: one with the shortcut Ctrl+Shift+F5 and the
// accelerator of "&Run", one with the shortcut Alt+S.
std::string KeysBar(const std::string& runExtra = "") {
    return R"(  HandleShortcuts = True
  object Keys: TadxCustomCommandBar
    CommandBarName = 'Keys'
    ButtonTypes = {02000000 00000000 00000000}
    Buttons = <
      item
        Caption = '&Run'
        OfficeTag = 'tag-run'
        ShortcutText = 'ctrl+shift+f5'
        OnClick = Click
)" + runExtra +
           R"(      end
      item
        Caption = 'Save'
        OfficeTag = 'tag-save'
        ShortcutText = 'Alt+S'
        OnClick = Click
      end>
  end
)";
}

class ShortcutKeysTest : public CommandBarTest {
protected:
    ShortcutKeysTest() { platform::ReleaseAllKeys(); }
    ~ShortcutKeysTest() override { platform::ReleaseAllKeys(); }
    void StartWith(const std::string& body) {
        SetBarModuleForm(BarModuleForm(body));
        Start();
        journal.clear();
    }
    // Presses the key; what ran once the posted messages were handled.
    std::vector<std::string> Press(int key, std::initializer_list<int> modifiers, bool swallowed) {
        EXPECT_EQ(platform::PressKey(key, modifiers), swallowed);
        // Nothing runs inside the hook.
        EXPECT_TRUE(journal.empty());
        platform::ProcessMessages();
        return std::exchange(journal, {});
    }
    using Runs = std::vector<std::string>;
};

} // namespace

TEST_F(ShortcutKeysTest, ShortcutsAndAcceleratorsRunTheirButtonOnce) {
    StartWith(KeysBar());
    EXPECT_EQ(Press(VK_F5, {VK_CONTROL, VK_SHIFT}, true), Runs{"Click tag-run"});
    EXPECT_EQ(Press('R', {VK_MENU}, true), Runs{"Click tag-run"});
    EXPECT_EQ(Press('S', {VK_MENU}, true), Runs{"Click tag-save"});
    // A key with no button, or a shortcut's key without its modifiers.
    EXPECT_EQ(Press('Q', {VK_CONTROL}, false), Runs{});
    EXPECT_EQ(Press(VK_F5, {VK_CONTROL}, false), Runs{});
    EXPECT_TRUE(errors.empty());
}

TEST_F(ShortcutKeysTest, AHeldKeyRunsOnceAndItsReleaseNothing) {
    StartWith(KeysBar());
    platform::FeedKey(VK_CONTROL, false);
    platform::FeedKey(VK_SHIFT, false);
    EXPECT_TRUE(platform::FeedKey(VK_F5, false));
    for (int repeat = 0; repeat < 3; ++repeat)
        EXPECT_FALSE(platform::FeedKey(VK_F5, false));
    EXPECT_FALSE(platform::FeedKey(VK_F5, true));
    platform::ProcessMessages();
    EXPECT_EQ(journal, Runs{"Click tag-run"});
}

TEST_F(ShortcutKeysTest, AcceleratorsNeedAVisibleEnabledBarWhileOwnShortcutsDoNot) {
    StartWith(KeysBar());
    sim::SimCommandBar& bar = *bars->Bar(u"Keys");
    sim::SimCommandBarControl& run = *Sim(u"tag-run");
    struct Case {
        const char* name;
        std::function<void(bool)> hide; // hides (true) or shows again (false)
    };
    const Case cases[] = {
        {"hidden bar", [&](bool on) { bar.SetValue("Visible", !on); }},
        {"disabled bar", [&](bool on) { bar.SetValue("Enabled", !on); }},
        {"hidden button", [&](bool on) { run.SetValue("Visible", !on); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.hide(true);
        // The key is the bar's either way: it is swallowed, and runs nothing.
        EXPECT_EQ(Press('R', {VK_MENU}, true), Runs{});
        // A button whose own shortcut is the key runs on any bar.
        EXPECT_EQ(Press('S', {VK_MENU}, true), Runs{"Click tag-save"});
        c.hide(false);
        EXPECT_EQ(Press('R', {VK_MENU}, true), Runs{"Click tag-run"});
    }
}

TEST_F(ShortcutKeysTest, ADisabledButtonSwallowsItsKeyWithoutRunning) {
    StartWith(KeysBar("        Enabled = False\n"));
    EXPECT_EQ(Press(VK_F5, {VK_CONTROL, VK_SHIFT}, true), Runs{});
    EXPECT_EQ(Press('R', {VK_MENU}, true), Runs{});
}

TEST_F(ShortcutKeysTest, AButtonWhoseHostControlIsGoneDoesNotRun) {
    StartWith(KeysBar());
    EXPECT_TRUE(platform::PressKey(VK_F5, {VK_CONTROL, VK_SHIFT}));
    // The user deletes the button before the posted key is handled.
    Sim(u"tag-run")->Remove();
    platform::ProcessMessages();
    EXPECT_TRUE(journal.empty());
}

TEST_F(ShortcutKeysTest, ShortcutsInAnyModifierOrderAndPunctuationKeysMatch) {
    StartWith(R"(  HandleShortcuts = True
  object Keys: TadxCustomCommandBar
    CommandBarName = 'Keys'
    ButtonTypes = {03000000 00000000 00000000 00000000}
    Buttons = <
      item
        Caption = 'a&&b'
        OfficeTag = 'tag-quit'
        ShortcutText = 'Shift+Ctrl+Q'
        OnClick = Click
      end
      item
        Caption = 'Fish & Chips'
        OfficeTag = 'tag-options'
        ShortcutText = 'Ctrl+,'
        OnClick = Click
      end
      item
        Caption = 'Fish & &Salad'
        OfficeTag = 'tag-salad'
        ShortcutText = 'Ctrl+'
        OnClick = Click
      end>
  end
)");
    EXPECT_EQ(Press('Q', {VK_CONTROL, VK_SHIFT}, true), Runs{"Click tag-quit"});
    EXPECT_EQ(Press(VK_OEM_COMMA, {VK_CONTROL}, true), Runs{"Click tag-options"});
    EXPECT_EQ(Press('S', {VK_MENU}, true), Runs{"Click tag-salad"});
    // A blank after "&" marks nothing, and neither does a doubled "&".
    EXPECT_EQ(Press(VK_SPACE, {VK_MENU}, false), Runs{});
    EXPECT_EQ(Press('B', {VK_MENU}, false), Runs{});
    EXPECT_EQ(Press('C', {VK_MENU}, false), Runs{});
    // A key without a name does not meet a shortcut text of modifiers alone.
    EXPECT_EQ(Press(VK_CAPITAL, {VK_CONTROL}, false), Runs{});
    EXPECT_TRUE(errors.empty());
}

TEST_F(ShortcutKeysTest, AHostThatCannotTellAButtonsKeysShowsNothingFromTheHook) {
    StartWith(KeysBar());
    for (const char* member : {"ShortcutText", "Caption"}) {
        SCOPED_TRACE(member);
        bars->FailNext(member);
        // Run is left out of this key's list: the key is the host's.
        EXPECT_EQ(Press(VK_F5, {VK_CONTROL, VK_SHIFT}, false), Runs{});
        EXPECT_EQ(Press(VK_F5, {VK_CONTROL, VK_SHIFT}, true), Runs{"Click tag-run"});
    }
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(user.Shown().size(), 0u);
}

TEST_F(ShortcutKeysTest, ASecondModuleOfTheLibraryLeavesTheLiveModulesShortcuts) {
    StartWith(KeysBar());
    HHOOK live = adxKeyboardHook(*module);
    {
        // The class factory reads the registration settings from a module
        // of its own, in the host's process, and frees it again.
        TadxModulePtr settings(TestClasses().Create<TBarModule>(nullptr));
        EXPECT_TRUE(adxKeyboardHook(*settings) != nullptr);
        EXPECT_TRUE(adxKeyboardHook(*settings) != live);
    }
    EXPECT_TRUE(adxKeyboardHook(*module) == live);
    EXPECT_EQ(Press(VK_F5, {VK_CONTROL, VK_SHIFT}, true), Runs{"Click tag-run"});
}

TEST_F(ShortcutKeysTest, AShortcutThatTurnsTheAddInOffEndsSafely) {
    StartWith(KeysBar());
    TBarModule::DuringClick = [this](TBarModule&, TObject*) { module.reset(); };
    EXPECT_EQ(Press(VK_F5, {VK_CONTROL, VK_SHIFT}, true), Runs{"Click tag-run"});
    EXPECT_EQ(module, nullptr);
    // The hook went with the module.
    EXPECT_FALSE(platform::PressKey(VK_F5, {VK_CONTROL, VK_SHIFT}));
}

TEST_F(ShortcutKeysTest, AFailingActionGoesToTheErrorReport) {
    StartWith(KeysBar());
    TBarModule::DuringClick = [](TBarModule&, TObject*) { throw Exception("The action failed"); };
    EXPECT_EQ(Press(VK_F5, {VK_CONTROL, VK_SHIFT}, true), Runs{"Click tag-run"});
    EXPECT_EQ(errors, std::vector<std::string>{"0: The action failed"});
}

TEST(KeyNames, ShortcutTextsOfKeysWithModifiers) {
    struct Case {
        bool ctrl, shift, alt;
        WORD key;
        const char* text;
    };
    const Case cases[] = {
        {true, true, false, VK_F5, "Ctrl+Shift+F5"},
        {false, false, true, 'S', "Alt+S"},
        {true, true, true, '7', "Ctrl+Shift+Alt+7"},
        {false, false, false, VK_F12, "F12"},
        {true, false, false, VK_DELETE, "Ctrl+Del"},
        {false, true, false, VK_INSERT, "Shift+Ins"},
        {false, false, false, VK_BACK, "BkSp"},
        {false, false, false, VK_RETURN, "Enter"},
        {false, false, false, VK_ESCAPE, "Esc"},
        {false, false, false, VK_SPACE, "Space"},
        {false, false, false, VK_PRIOR, "PgUp"},
        {false, false, false, VK_NEXT, "PgDn"},
        {false, false, false, VK_HOME, "Home"},
        {false, false, false, VK_END, "End"},
        {false, false, false, VK_LEFT, "Left"},
        {false, false, false, VK_DOWN, "Down"},
        {false, false, false, VK_TAB, "Tab"},
        {false, false, false, VK_NUMPAD0 + 3, "Num 3"},
        {false, false, false, VK_F24, "F24"},
        {true, false, false, VK_ADD, "Ctrl+Num +"},
        {false, false, false, VK_MULTIPLY, "Num *"},
        {false, false, false, VK_SUBTRACT, "Num -"},
        {false, false, false, VK_DECIMAL, "Num ."},
        {false, false, false, VK_DIVIDE, "Num /"},
        {false, false, false, VK_CAPITAL, ""}, // no name: no shortcut is written with it
        // Punctuation keys by what they type without Shift on a US keyboard.
        {true, false, false, VK_OEM_COMMA, "Ctrl+,"},
        {false, false, false, VK_OEM_1, ";"},
        {false, false, false, VK_OEM_PLUS, "="},
        {false, false, false, VK_OEM_MINUS, "-"},
        {false, false, false, VK_OEM_PERIOD, "."},
        {false, false, false, VK_OEM_2, "/"},
        {false, false, false, VK_OEM_3, "`"},
        {false, false, false, VK_OEM_4, "["},
        {false, false, false, VK_OEM_5, "\\"},
        {false, false, false, VK_OEM_6, "]"},
        {false, true, false, VK_OEM_7, "Shift+'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TranslateToString(c.ctrl, c.shift, c.alt, c.key), c.text);
}

TEST(KeyNames, ShortcutTextsMatchWhateverTheOrderOfTheirModifiers) {
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"Ctrl+Shift+Q", "CTRL+SHIFT+Q"},
        {u"Shift+Ctrl+Q", "CTRL+SHIFT+Q"},
        {u"alt+shift+ctrl+f5", "CTRL+SHIFT+ALT+F5"},
        {u"Alt+Ctrl+Del", "CTRL+ALT+DEL"},
        {u"Ctrl+Ctrl+Q", "CTRL+Q"},
        {u"Ctrl+Num +", "CTRL+NUM +"},
        {u"Ctrl+,", "CTRL+,"},
        {u"F12", "F12"},
        {u"", ""},
    };
    for (const auto& [shortcut, key] : cases)
        EXPECT_EQ(adxShortcutKeyText(shortcut), key) << text::Narrow(shortcut);
}

TEST(KeyNames, AnAcceleratorIsTheFirstAmpersandNeitherDoubledNorBeforeABlank) {
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"&Send", "ALT+S"}, {u"Save &as", "ALT+A"},  {u"Trailing&", ""},
        {u"a&&b", ""},       {u"Fish & Chips", ""},   {u"Fish & &Chips", "ALT+C"},
        {u"a&&&b", "ALT+B"}, {u"&&&x", "ALT+X"},      {u"Tab&\tStop", ""},
        {u"&,", "ALT+,"},    {u"No accelerator", ""}, {u"", ""},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(adxAcceleratorKeyText(caption), key) << text::Narrow(caption);
}
