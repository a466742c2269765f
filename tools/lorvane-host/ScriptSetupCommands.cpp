// store, folder, deliver and config: what Outlook holds and what the add-in
// reads when it starts. They may come before Outlook starts, between a quit
// and the next start, or while it runs (a folder made then is announced to
// the add-in as the user making it would be).
#include "Mailbox.h"
#include "MailboxPrinter.h"
#include "ScriptValues.h"
#include "ScriptVerbs.h"
#include "ScriptWorld.h"
#include "SimulatedMachine.h"

#include "platform/text/Text.h"
#include "platform/win/Clock.h"
#include "platform/win/Files.h"

#include <filesystem>

using text::Narrow;
using text::Wide;

namespace {

constexpr const char* ConfigFileName = "Zub.xml";

// The settings that take text, with what they set.
const std::pair<const char*, std::string ScriptConfig::*> TextSettings[] = {
    {"folder", &ScriptConfig::FolderPath},
    {"category", &ScriptConfig::Category},
    {"caption", &ScriptConfig::Caption},
};

std::string ConfigPath(ScriptWorld& world) {
    return world.Machine().AddInDataFolder() + "/" + ConfigFileName;
}

// The default folder as the configuration keeps it.
ConfigFolder ConfigFolderOf(ScriptWorld& world, const std::string& path) {
    if (path.empty())
        return {};
    ComPtr<sim::SimFolder> folder = FolderByPath(world.Session().Outlook(), Wide(path));
    std::string store = Narrow(folder->Store().DisplayName);
    return {store, store, Narrow(folder->StoreId()), Narrow(PathOf(*folder))};
}

// One line on what the file holds: the default folder and category, the
// switches that are on, the delay.
std::string ConfigSummary(const ScriptConfig& config, const ConfigFolder& folder) {
    std::string on;
    for (const auto& [name, value] : config.Switches)
        if (value)
            on += (on.empty() ? "" : ", ") + name;
    return "default folder " + (folder.FolderName.empty() ? "none" : InQuotes(folder.FolderName)) +
           ", default category " + (config.Category.empty() ? "none" : InQuotes(config.Category)) +
           ", on: " + (on.empty() ? "nothing" : on) + ", timerdelay " +
           std::to_string(config.TimerDelay);
}

void WriteConfig(ScriptWorld& world) {
    ScriptConfig& config = world.Config();
    ConfigFolder folder = ConfigFolderOf(world, config.FolderPath);
    world.Step(std::string("The configuration file ") + ConfigFileName + " is written", [&] {
        std::filesystem::create_directories(world.Machine().AddInDataFolder());
        platform::WriteFileAtomically(ConfigPath(world), ConfigFileBytes(config, folder, Now()));
        world.Note(ConfigSummary(config, folder));
    });
}

// The file holding text as it stands, as a hand edit or a broken disk may
// leave it: the add-in's reader has to tell the user what is wrong with it.
void WriteRawConfig(ScriptWorld& world, const std::string& text) {
    world.Step(std::string("The configuration file ") + ConfigFileName + " is written by hand",
               [&] {
                   std::filesystem::create_directories(world.Machine().AddInDataFolder());
                   platform::WriteFileAtomically(ConfigPath(world), text);
                   world.Note(std::to_string(text.size()) + " bytes");
               });
}

void DeleteConfig(ScriptWorld& world) {
    world.Step(std::string("The configuration file ") + ConfigFileName + " is deleted", [&] {
        if (!std::filesystem::remove(ConfigPath(world)))
            world.Note(std::string("there was no ") + ConfigFileName);
    });
}

} // namespace

void RunStore(ScriptWorld& world, const ScriptArguments& arguments) {
    std::u16string name = Wide(arguments.Word(0));
    if (name.empty() || name.find(u'\\') != std::u16string::npos)
        throw EScriptError("a store's name is not empty and holds no \\");
    sim::OutlookSim& outlook = world.Live().Outlook();
    if (FindFolderByPath(outlook, name))
        throw EScriptError("there is a store " + ScriptQuoted(arguments.Word(0)) + " already");
    world.Step("Outlook opens the store " + InQuotes(arguments.Word(0)),
               [&] { outlook.AddStore(name); });
}

void RunFolder(ScriptWorld& world, const ScriptArguments& arguments) {
    std::u16string path = Wide(arguments.Word(0));
    sim::OutlookSim& outlook = world.Live().Outlook();
    if (FindFolderByPath(outlook, path))
        throw EScriptError("there is a folder " + ScriptQuoted(arguments.Word(0)) + " already");
    std::u16string store = path.substr(0, path.find(u'\\'));
    if (!FindFolderByPath(outlook, store))
        throw EScriptError("there is no store " + ScriptQuoted(Narrow(store)));
    world.Step("The folder " + InQuotes(arguments.Word(0)) + " is made",
               [&] { MakeFolderPath(outlook, path); });
}

void RunDeliver(ScriptWorld& world, const ScriptArguments& arguments) {
    sim::OutlookSim& outlook = world.Live().Outlook();
    ComPtr<sim::SimFolder> folder = arguments.Has("in")
                                        ? FolderByPath(outlook, Wide(arguments.Option("in")))
                                        : outlook.DefaultFolder(outlook::olFolderInbox);
    sim::ItemData data;
    data.Subject = Wide(arguments.Word(0));
    data.To = std::u16string(sim::SimApplication::CurrentUserAddress);
    SetMessageFields(data, arguments.Options);
    data.SenderEmailAddress = data.SenderName =
        Wide(arguments.Option("from", "sender@example.com"));
    data.ConversationIndex = world.NewConversationIndex();
    // Received, for its description; Outlook stamps the moment it arrives.
    data.ReceivedTime = Now();
    world.Step("A message arrives in " + InQuotes(Narrow(PathOf(*folder))) + ": " +
                   DescribeItemData(sim::ItemKind::Mail, data),
               [&] { outlook.DeliverMail(data, folder.Get()); });
}

void CheckConfig(const ScriptArguments& arguments) {
    const std::string& setting = arguments.Word(0);
    if (arguments.Words.size() == 1) {
        if (!arguments.WordIs(0, "write") && !arguments.WordIs(0, "delete"))
            throw EScriptError("config takes write, delete, raw TEXT, or a setting and its value");
        return;
    }
    if (arguments.WordIs(0, "raw"))
        return;
    for (const auto& [name, field] : TextSettings)
        if (setting == name)
            return;
    if (setting == "timerdelay") {
        ReadNumber(arguments.Word(1), 60000);
        return;
    }
    ScriptConfig defaults;
    if (!defaults.SetSwitch(setting, false))
        throw EScriptError("there is no setting " + ScriptQuoted(setting) +
                           " (folder, category, caption, timerdelay, folderdef, folderask, "
                           "nolistupdates, categdef, categask, categmaintain, calendadd, taskadd, "
                           "firsttime)");
    ReadSwitch(arguments.Word(1));
}

void RunConfig(ScriptWorld& world, const ScriptArguments& arguments) {
    if (arguments.WordIs(0, "write"))
        return WriteConfig(world);
    if (arguments.WordIs(0, "delete"))
        return DeleteConfig(world);
    if (arguments.WordIs(0, "raw"))
        return WriteRawConfig(world, arguments.Word(1));
    ScriptConfig& config = world.Config();
    const std::string& setting = arguments.Word(0);
    const std::string& value = arguments.Word(1);
    for (const auto& [name, field] : TextSettings)
        if (setting == name) {
            config.*field = value;
            return;
        }
    if (setting == "timerdelay")
        config.TimerDelay = ReadNumber(value, 60000);
    else
        config.SetSwitch(setting, ReadSwitch(value));
}
