// Opening web links: what is refused, what is handed to the opener; and
// help topics handed to the installed viewer.
#include "platform/win/Shell.h"

#include <gtest/gtest.h>

#include "tests/support/TempPlatformHome.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::intptr_t Open(const char* link, const char* verb = "open", const char* parameters = nullptr) {
    return reinterpret_cast<std::intptr_t>(
        ShellExecute(nullptr, verb, link, parameters, nullptr, SW_SHOWNORMAL));
}

} // namespace

TEST(WebLinks, OnlyHttpHttpsAndMailtoLinksAreOpened) {
    platform::LinkRecorder recorder;
    EXPECT_GT(Open("https://example.org/support?x=1"), 32);
    EXPECT_GT(Open("HTTP://example.org"), 32);
    EXPECT_GT(Open("mailto:someone@example.org"), 32);
    EXPECT_GT(Open("http://example.org", nullptr), 32) << "no verb means open";
    EXPECT_EQ(recorder.Links(),
              (std::vector<std::string>{"https://example.org/support?x=1", "HTTP://example.org",
                                        "mailto:someone@example.org", "http://example.org"}));
}

TEST(WebLinks, EverythingElseIsRefusedAndNeverReachesTheOpener) {
    platform::LinkRecorder recorder;
    const char* refused[] = {
        "file:///etc/passwd",
        "javascript:alert(1)",
        "javascript://example.org/%0Aalert(1)",
        "FILE://server/share",
        "ftp://example.org",
        "/usr/bin/xterm",
        "C:\\Windows\\notepad.exe",
        "http://",
        "http:///path-without-host",
        "mailto:",
        "https://example.org/a b",
        "https://example.org/\n--version",
        "-https://example.org",
        "",
    };
    for (const char* link : refused)
        EXPECT_EQ(Open(link), SE_ERR_ACCESSDENIED) << link;
    EXPECT_EQ(Open(nullptr), SE_ERR_ACCESSDENIED);
    EXPECT_EQ(Open("https://example.org", "open", "--new-window"), SE_ERR_ACCESSDENIED);
    EXPECT_EQ(Open("https://example.org", "edit"), SE_ERR_NOASSOC);
    EXPECT_EQ(Open(std::string("https://example.org/" + std::string(3000, 'a')).c_str()),
              SE_ERR_ACCESSDENIED);
    EXPECT_TRUE(recorder.Links().empty());
}

TEST(WebLinks, RecorderPutsThePreviousOpenerBack) {
    platform::LinkRecorder outer;
    {
        platform::LinkRecorder inner;
        EXPECT_TRUE(platform::OpenWebLink("https://example.org/inner"));
        EXPECT_EQ(inner.Links().size(), 1u);
    }
    EXPECT_TRUE(platform::OpenWebLink("https://example.org/outer"));
    EXPECT_EQ(outer.Links(), (std::vector<std::string>{"https://example.org/outer"}));
}

TEST(WebLinks, FailingOpenerIsReportedAsNotFound) {
    platform::LinkOpener previous =
        platform::SetLinkOpener([](const std::string&) { return false; });
    EXPECT_EQ(Open("https://example.org"), SE_ERR_FNF);
    platform::SetLinkOpener(previous);
}

TEST(WebLinks, XdgOpenGetsTheLinkAsItsOnlyArgumentWithoutAShell) {
    // A stand-in xdg-open early on the search path writes its arguments to a
    // pipe whose end it inherits; the pipe closes when it has finished.
    TempPlatformHome home;
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::string script = home.path + "/xdg-open";
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\" >&" << fds[1]
                          << "; done\n";
    chmod(script.c_str(), 0755);
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (home.path + ":" + oldPath).c_str(), 1);

    const std::string link = "https://example.org/?q=$(touch${IFS}owned);`id`|x&y";
    bool opened = platform::OpenWebLink(link);
    setenv("PATH", oldPath.c_str(), 1);
    close(fds[1]);
    std::string received;
    char buffer[256];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        received.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    EXPECT_TRUE(opened);
    EXPECT_EQ(received, "[" + link + "]");
    EXPECT_FALSE(std::filesystem::exists("owned"));
}

TEST(HelpTopics, GoToTheInstalledViewerAndTheRecorderPutsThePreviousOneBack) {
    EXPECT_FALSE(platform::OpenHelp("LORVANE.HLP", 12)) << "no viewer of its own";
    platform::HelpRecorder outer;
    {
        platform::HelpRecorder inner;
        EXPECT_TRUE(platform::OpenHelp("inner.chm", 1));
        EXPECT_EQ(inner.Topics(), (std::vector<platform::HelpTopic>{{"inner.chm", 1}}));
    }
    EXPECT_TRUE(platform::OpenHelp("LORVANE.HLP", 12));
    EXPECT_TRUE(platform::OpenHelp("", 0));
    EXPECT_EQ(outer.Topics(), (std::vector<platform::HelpTopic>{{"LORVANE.HLP", 12}, {"", 0}}));
}
