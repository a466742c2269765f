// A window for the user-interface tests that writes down every message it is
// sent or posted, as "name" or "name(wParam)".
#pragma once

#include "platform/win/Window.h"

#include <map>
#include <string>
#include <vector>

class RecordingWindow {
public:
    // names: how the log spells message numbers; others appear as their number.
    explicit RecordingWindow(std::map<UINT, std::string> names = {}) : names_(std::move(names)) {
        handle = AllocateHWnd([this](TMessage& m) {
            auto it = names_.find(m.Msg);
            std::string name = it != names_.end() ? it->second : std::to_string(m.Msg);
            log.push_back(m.WParam ? name + "(" + std::to_string(m.WParam) + ")" : name);
            if (OnMessage)
                OnMessage(m);
        });
    }
    ~RecordingWindow() {
        OnMessage = nullptr; // what it captured may be gone already
        if (IsWindow(handle))
            DeallocateHWnd(handle);
    }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND handle = nullptr;
    std::vector<std::string> log;
    // Called after the message is logged; may set Result.
    TWndMethod OnMessage;

private:
    std::map<UINT, std::string> names_;
};
