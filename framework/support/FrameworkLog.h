// The framework's diagnostic log: an in-memory list of the newest lines
// (date and time, thread, indent, text; newest first), the exceptions and
// the system information seen, which it can write to a file as one report,
// save after each line, or show in a window with a "Save as ..." menu.
// Log() gives the one log of the process; TDebug is the debug hook, which
// writes nowhere.
#pragma once

#include "platform/rtl/StringList.h"

#include <memory>
#include <mutex>
#include <string>

class TLog {
public:
    // A log keeping the newest countLastMessages lines.
    explicit TLog(int countLastMessages);

    // Adds a line, unless the log is disabled.
    void AddMessage(const std::string& text);
    // Adds "*!* " and the text, unless the log is disabled.
    void AddWarning(const std::string& text);
    // Keeps the text among the exceptions and adds a block of lines around
    // it, also while the log is disabled.
    void AddException(const std::string& text);
    // Keeps a line of system information (once).
    void AddSystemInfo(const std::string& text);
    // Indents the lines that follow one step more ("--" a step).
    void AddIndent();
    // One step less, never below none.
    void RemoveIndent();
    // Forgets the lines.
    void ClearMessages();
    // Adds "Disable Log " with the time, then ignores messages and warnings.
    void Disable();
    // Keeps the newest count lines (a negative count keeps none) and drops older ones.
    void SetCountLastMessages(int count);
    // The report: the exceptions, the system information and the lines.
    std::string GetMessages();
    // Adds "Save time: " with the time and writes the report to fileName.
    void Save(const std::string& fileName);
    // Asks the user for a text file and saves there.
    void SaveMessages();
    // Adds "Show time: " with the time and shows the report in a modal
    // window with that caption.
    void ShowMessages(const std::string& caption);

    // Whether every line saves the report to the default file.
    bool GetSaveLogToFileByDefaultAfterAddingEachMessage();
    void SetSaveLogToFileByDefaultAfterAddingEachMessage(bool value);
    // The file that saving after each line writes.
    std::string GetLogFileByDefault();
    void SetLogFileByDefault(const std::string& value);

    // The lines, newest first (a copy).
    std::vector<std::string> Lines();
    // The exceptions and the system information kept (copies).
    std::vector<std::string> Exceptions();
    std::vector<std::string> SystemInfo();
    // Whether Disable was called.
    bool Disabled();

private:
    // Adds a line under the lock; autoSave says whether it may save.
    void AddLineLocked(const std::string& text, bool autoSave);
    void TrimLocked();
    void SaveLocked(const std::string& fileName);
    std::string ReportLocked() const;

    // Guards everything below: adders may come from any thread. It is
    // taken without a time-out, so that no line is added unguarded.
    std::mutex lock_;
    bool disabled_ = false;
    bool saveAfterEachMessage_ = false;
    std::string logFile_;
    int countLastMessages_;
    TStringList messages_;
    TStringList systemInfo_;
    TStringList exceptions_;
    int indent_ = 0;
};

// The log of the process, made on first use with room for 5000 lines.
std::shared_ptr<TLog> Log();
// Lets go of the process's log (the framework's shut-down); the next Log()
// makes a new one.
void adxReleaseLog();

// The debug hook: its lines go nowhere.
class TDebug {
public:
    // Does nothing.
    static void WriteLine(const std::string& text);
};
