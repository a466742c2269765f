// Windows of the user-interface thread: classes, creation and destruction,
// sending and posting, registered messages, enumeration.
#include "UiTestWindow.h"

#include "platform/rtl/Exception.h"
#include "platform/win/LastError.h"
#include "platform/win/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

std::vector<std::string>* procLog = nullptr;

LRESULT LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (procLog) {
        switch (message) {
        case WM_NCCREATE:
            procLog->push_back("nccreate");
            break;
        case WM_CREATE:
            procLog->push_back(std::string("create ") +
                               reinterpret_cast<const CREATESTRUCT*>(lParam)->lpszName);
            break;
        case WM_DESTROY:
            procLog->push_back("destroy");
            break;
        case WM_NCDESTROY:
            procLog->push_back("ncdestroy");
            break;
        default:
            procLog->push_back("msg " + std::to_string(message));
        }
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT RefusingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE)
        return -1;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

WNDPROC previousProc = nullptr;

LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1)
        return 41 + CallWindowProc(previousProc, hwnd, message, wParam, lParam);
    return CallWindowProc(previousProc, hwnd, message, wParam, lParam);
}

void RegisterOnce(const char* name, WNDPROC proc) {
    WNDCLASS cls;
    if (GetClassInfo(nullptr, name, &cls))
        return;
    cls.lpfnWndProc = proc;
    cls.lpszClassName = name;
    ASSERT_NE(RegisterClass(&cls), 0);
}

std::string ClassNameOf(HWND hwnd) {
    char buffer[256];
    int n = GetClassName(hwnd, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(n));
}

struct FoundWindow {
    std::string wanted;
    HWND found = nullptr;
    int visited = 0;
};

BOOL FindByClass(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<FoundWindow*>(lParam);
    ++search->visited;
    if (ClassNameOf(hwnd) == search->wanted) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TEST(WindowClasses, NamesIgnoreCaseAndRegisterOnce) {
    RegisterOnce("TestClassOnce", DefWindowProc);
    WNDCLASS cls;
    EXPECT_TRUE(GetClassInfo(nullptr, "testclassONCE", &cls));
    EXPECT_STREQ(cls.lpszClassName, "TestClassOnce");
    cls.lpszClassName = "TESTCLASSONCE";
    EXPECT_EQ(RegisterClass(&cls), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    EXPECT_FALSE(GetClassInfo(nullptr, "NoSuchClass", &cls));
}

TEST(Windows, CreationAndDestructionSendTheirMessagesInOrder) {
    std::vector<std::string> log;
    procLog = &log;
    RegisterOnce("TestLogging", LoggingProc);
    HWND parent = CreateWindowEx(0, "TestLogging", "parent", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND child = CreateWindowEx(0, "TestLogging", "child", WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(log,
              (std::vector<std::string>{"nccreate", "create parent", "nccreate", "create child"}));
    log.clear();
    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(log, (std::vector<std::string>{"destroy", "destroy", "ncdestroy", "ncdestroy"}));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(parent));
    procLog = nullptr;
}

TEST(Windows, RefusedCreationGivesNoWindow) {
    RegisterOnce("TestRefusing", RefusingProc);
    EXPECT_EQ(
        CreateWindowEx(0, "TestRefusing", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(
        CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST(Windows, ClassNameTitleAndValues) {
    RegisterOnce("TestPlain", DefWindowProc);
    HWND hwnd = CreateWindowEx(WS_EX_TOOLWINDOW, "testplain", "Title", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(ClassNameOf(hwnd), "TestPlain"); // as registered
    char small[4];
    EXPECT_EQ(GetClassName(hwnd, small, sizeof small), 3);
    EXPECT_STREQ(small, "Tes");
    EXPECT_EQ(GetWindowTextLength(hwnd), 5);
    EXPECT_TRUE(SetWindowText(hwnd, "Other"));
    EXPECT_EQ(FindWindow("TESTPLAIN", "other"), hwnd);
    EXPECT_EQ(FindWindow(nullptr, "Other"), hwnd);
    EXPECT_EQ(FindWindow("TestPlain", "Title"), nullptr);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWL_EXSTYLE), LONG_PTR(WS_EX_TOOLWINDOW));
    EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 1234);
    DWORD pid = 0;
    EXPECT_EQ(GetWindowThreadProcessId(hwnd, &pid), GetCurrentThreadId());
    EXPECT_EQ(pid, GetCurrentProcessId());
    EXPECT_EQ(SendMessage(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    DestroyWindow(hwnd);
    EXPECT_EQ(GetClassName(hwnd, small, sizeof small), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST(Windows, SubclassedWindowChainsToItsPreviousProcedure) {
    RecordingWindow window;
    window.OnMessage = [](TMessage& m) { m.Result = 1; };
    previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(window.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    ASSERT_NE(previousProc, nullptr);
    EXPECT_EQ(SendMessage(window.handle, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(window.log.size(), 1u);
}

TEST(Windows, EnumThreadWindowsWalksTopLevelWindowsNewestFirstAndStops) {
    RegisterOnce("TestEnumMain", DefWindowProc);
    RegisterOnce("TestEnumOther", DefWindowProc);
    HWND main =
        CreateWindowEx(0, "TestEnumMain", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowEx(0, "TestEnumOther", "", WS_CHILD, 0, 0, 0, 0, main, nullptr,
                                nullptr, nullptr);
    HWND other =
        CreateWindowEx(0, "TestEnumOther", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    FoundWindow search{"TestEnumMain"};
    EXPECT_FALSE(
        EnumThreadWindows(GetCurrentThreadId(), FindByClass, reinterpret_cast<LPARAM>(&search)));
    EXPECT_EQ(search.found, main);
    EXPECT_EQ(search.visited, 2); // "other" came first, the child is not top-level

    FoundWindow none{"NoSuchClass"};
    EXPECT_TRUE(
        EnumThreadWindows(GetCurrentThreadId(), FindByClass, reinterpret_cast<LPARAM>(&none)));
    EXPECT_EQ(none.found, nullptr);
    DestroyWindow(other);
    DestroyWindow(main);
    EXPECT_FALSE(IsWindow(child));
}

TEST(Messages, SentMessageOvertakesPostedOnesWhichArriveInOrder) {
    RecordingWindow window{{{WM_USER, "a"},
                            {WM_USER + 1, "b"},
                            {WM_USER + 2, "c"},
                            {WM_USER + 3, "posted by handler"}}};
    window.OnMessage = [&](TMessage& m) {
        if (m.Msg == WM_USER)
            PostMessage(window.handle, WM_USER + 3, 0, 0);
        if (m.Msg == WM_USER + 2)
            m.Result = 99;
    };
    EXPECT_TRUE(PostMessage(window.handle, WM_USER, 1, 0));
    EXPECT_TRUE(PostMessage(window.handle, WM_USER + 1, 2, 0));
    EXPECT_EQ(SendMessage(window.handle, WM_USER + 2, 3, 0), 99);
    EXPECT_EQ(window.log, (std::vector<std::string>{"c(3)"}));
    EXPECT_EQ(platform::ProcessMessages(), 3u);
    EXPECT_EQ(window.log, (std::vector<std::string>{"c(3)", "a(1)", "b(2)", "posted by handler"}));
    EXPECT_EQ(platform::ProcessMessages(), 0u);
}

TEST(Messages, PeekMessageFiltersAndCanLeaveTheMessageQueued) {
    RecordingWindow first, second;
    PostMessage(first.handle, WM_USER, 1, 0);
    PostMessage(second.handle, WM_USER + 5, 2, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessage(&msg, second.handle, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, second.handle);
    EXPECT_FALSE(PeekMessage(&msg, second.handle, 0, 0, PM_REMOVE));
    EXPECT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, first.handle);
    DispatchMessage(&msg);
    EXPECT_EQ(first.log, (std::vector<std::string>{std::to_string(WM_USER) + "(1)"}));
}

TEST(Messages, PostingToAGoneWindowFailsAndItsQueuedMessagesAreDropped) {
    auto window = std::make_unique<RecordingWindow>();
    HWND hwnd = window->handle;
    PostMessage(hwnd, WM_USER, 0, 0);
    window.reset();
    EXPECT_EQ(platform::ProcessMessages(), 0u);
    EXPECT_FALSE(PostMessage(hwnd, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0);
}

TEST(Messages, AnotherThreadMayPostButNotSend) {
    RecordingWindow window{{{WM_APP, "from worker"}}};
    bool sendRaised = false;
    std::thread worker([&] {
        PostMessage(window.handle, WM_APP, 7, 0);
        try {
            SendMessage(window.handle, WM_APP, 8, 0);
        } catch (const Exception&) {
            sendRaised = true;
        }
    });
    worker.join();
    EXPECT_TRUE(sendRaised);
    EXPECT_TRUE(window.log.empty()); // delivered on the owner thread only
    platform::ProcessMessages();
    EXPECT_EQ(window.log, (std::vector<std::string>{"from worker(7)"}));
}

TEST(Messages, BroadcastReachesEveryTopLevelWindow) {
    UINT changed = RegisterWindowMessage("TEST_BROADCASTCHANGE");
    RecordingWindow a{{{changed, "changed"}}}, b{{{changed, "changed"}}};
    PostMessage(HWND_BROADCAST, changed, 0, 0);
    platform::ProcessMessages();
    SendMessage(HWND_BROADCAST, changed, 1, 0);
    EXPECT_EQ(a.log, (std::vector<std::string>{"changed", "changed(1)"}));
    EXPECT_EQ(b.log, a.log);
}

TEST(RegisteredMessages, SameNameGivesSameNumberWhateverTheCase) {
    UINT keyDown = RegisterWindowMessage("WM_TESTKEYDOWN");
    EXPECT_GE(keyDown, 0xC000u);
    EXPECT_LE(keyDown, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessage("wm_testkeydown"), keyDown);
    UINT other = RegisterWindowMessage("WM_TESTOTHER");
    EXPECT_NE(other, keyDown);
    EXPECT_GE(other, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
    EXPECT_EQ(RegisterWindowMessage(nullptr), 0u);
}

TEST(RegisteredMessages, ThreadsShareTheNumbers) {
    UINT here = RegisterWindowMessage("WM_TESTSHARED");
    UINT there = 0;
    std::thread([&] { there = RegisterWindowMessage("WM_TestShared"); }).join();
    EXPECT_EQ(here, there);
}

TEST(Windows, HiddenUntilShown) {
    RegisterOnce("TestPlain", DefWindowProc);
    HWND hwnd = CreateWindowEx(0, "TestPlain", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                               nullptr);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}
