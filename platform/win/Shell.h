// Opening web links and help topics, what this system asks of the shell.
// Only http, https and mailto links are opened, by the desktop's xdg-open
// started directly (never through a shell, so nothing in a link is ever run
// as a command); every other kind of link or file is refused. A help topic
// (a help file and a context number) goes to the installed help viewer;
// this desktop has none of its own. Tests and the demo install recorders in
// place of the browser and the viewer.
#pragma once

#include "platform/win/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// ShellExecute's answers of 32 and below are errors.
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_NOASSOC = 31;

// Opens a web link with the verb "open" (or no verb). Answers a value above 32
// when the link was handed on; SE_ERR_ACCESSDENIED for a link of any other
// kind, or with parameters; SE_ERR_NOASSOC for another verb; SE_ERR_FNF when
// the opener failed.
HINSTANCE ShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                       const char* directory, int showCommand);

namespace platform {

// Opens a link the shell accepted; true when it was handed on.
using LinkOpener = std::function<bool(const std::string& link)>;

// True for an http or https link with a host, or a mailto link, letter case
// of the scheme ignored, without spaces or control characters, at most 2048
// bytes long.
bool IsWebLink(const std::string& link);
// Opens a web link with the installed opener; false for any other link.
bool OpenWebLink(const std::string& link);
// Installs an opener in place of xdg-open (an empty one puts xdg-open back)
// and returns the previous one.
LinkOpener SetLinkOpener(LinkOpener opener);

// Records the links opened while it lives, in place of the browser.
class LinkRecorder {
public:
    LinkRecorder();
    ~LinkRecorder();
    LinkRecorder(const LinkRecorder&) = delete;
    LinkRecorder& operator=(const LinkRecorder&) = delete;

    // The links opened so far, oldest first.
    std::vector<std::string> Links() const;

private:
    struct Record;
    std::shared_ptr<Record> record_;
    LinkOpener previous_;
};

// Shows a help topic: the help file and the context number within it.
// True when a viewer took it.
using HelpOpener = std::function<bool(const std::string& helpFile, int context)>;

// Shows the topic of context in helpFile with the installed viewer; false
// when none is installed.
bool OpenHelp(const std::string& helpFile, int context);
// Installs a help viewer (an empty one: none) and returns the previous one.
HelpOpener SetHelpOpener(HelpOpener opener);

// One help topic asked for.
struct HelpTopic {
    std::string File;
    int Context = 0;
    bool operator==(const HelpTopic&) const = default;
};

// Records the help topics asked for while it lives, in place of a viewer.
class HelpRecorder {
public:
    HelpRecorder();
    ~HelpRecorder();
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    // The topics asked for so far, oldest first.
    std::vector<HelpTopic> Topics() const;

private:
    struct Record;
    std::shared_ptr<Record> record_;
    HelpOpener previous_;
};

} // namespace platform
