// The framework's diagnostic log and its report.
#include "framework/support/FrameworkLog.h"

#include "platform/rtl/DateFormat.h"
#include "platform/rtl/Streams.h"
#include "platform/win/Clock.h"
#include "platform/win/Process.h"
#include "platform/win/ShellFolders.h"

#include <algorithm>

namespace {

constexpr const char* Crlf = "\r\n";

std::string TimeNow() {
    return DateTimeToStr(Now());
}

// The default log file: in the user's local application data folder (the
// root of a drive is no place a user may write to).
std::string DefaultLogFile() {
    char folder[MAX_PATH] = {};
    if (SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder) == 0 && folder[0])
        return std::string(folder) + "\\ADXXLog.txt";
    return "ADXXLog.txt";
}

std::mutex& LogLock() {
    static std::mutex lock;
    return lock;
}
std::shared_ptr<TLog>& TheLog() {
    static std::shared_ptr<TLog> log;
    return log;
}

std::vector<std::string> Copy(const TStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

} // namespace

TLog::TLog(int countLastMessages)
    : logFile_(DefaultLogFile()), countLastMessages_(std::max(countLastMessages, 0)) {}

void TLog::AddMessage(const std::string& text) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!disabled_)
        AddLineLocked(text, true);
}

void TLog::AddWarning(const std::string& text) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!disabled_)
        AddLineLocked("*!* " + text, true);
}

void TLog::AddException(const std::string& text) {
    std::lock_guard<std::mutex> guard(lock_);
    exceptions_.Add(text);
    AddLineLocked("|=========================", true);
    AddLineLocked("|Exception time: " + TimeNow(), true);
    AddLineLocked("|" + text, true);
    AddLineLocked("|-------------------------", true);
}

void TLog::AddSystemInfo(const std::string& text) {
    std::lock_guard<std::mutex> guard(lock_);
    if (systemInfo_.IndexOf(text) < 0)
        systemInfo_.Add(text);
}

void TLog::AddIndent() {
    std::lock_guard<std::mutex> guard(lock_);
    ++indent_;
}

void TLog::RemoveIndent() {
    std::lock_guard<std::mutex> guard(lock_);
    indent_ = std::max(indent_ - 1, 0);
}

void TLog::ClearMessages() {
    std::lock_guard<std::mutex> guard(lock_);
    messages_.Clear();
}

void TLog::Disable() {
    std::lock_guard<std::mutex> guard(lock_);
    AddLineLocked("Disable Log " + TimeNow(), true);
    disabled_ = true;
}

void TLog::SetCountLastMessages(int count) {
    std::lock_guard<std::mutex> guard(lock_);
    countLastMessages_ = std::max(count, 0);
    TrimLocked();
}

std::string TLog::GetMessages() {
    std::lock_guard<std::mutex> guard(lock_);
    return ReportLocked();
}

void TLog::Save(const std::string& fileName) {
    std::lock_guard<std::mutex> guard(lock_);
    SaveLocked(fileName);
}

bool TLog::GetSaveLogToFileByDefaultAfterAddingEachMessage() {
    std::lock_guard<std::mutex> guard(lock_);
    return saveAfterEachMessage_;
}
void TLog::SetSaveLogToFileByDefaultAfterAddingEachMessage(bool value) {
    std::lock_guard<std::mutex> guard(lock_);
    saveAfterEachMessage_ = value;
}
std::string TLog::GetLogFileByDefault() {
    std::lock_guard<std::mutex> guard(lock_);
    return logFile_;
}
void TLog::SetLogFileByDefault(const std::string& value) {
    std::lock_guard<std::mutex> guard(lock_);
    logFile_ = value;
}

std::vector<std::string> TLog::Lines() {
    std::lock_guard<std::mutex> guard(lock_);
    return Copy(messages_);
}
std::vector<std::string> TLog::Exceptions() {
    std::lock_guard<std::mutex> guard(lock_);
    return Copy(exceptions_);
}
std::vector<std::string> TLog::SystemInfo() {
    std::lock_guard<std::mutex> guard(lock_);
    return Copy(systemInfo_);
}
bool TLog::Disabled() {
    std::lock_guard<std::mutex> guard(lock_);
    return disabled_;
}

void TLog::AddLineLocked(const std::string& text, bool autoSave) {
    if (countLastMessages_ > 0) {
        std::string indent;
        for (int i = 0; i < indent_; ++i)
            indent += "--";
        messages_.Insert(0, TimeNow() + "\t" + std::to_string(GetCurrentThreadId()) + "\t" +
                                indent + text);
    }
    TrimLocked();
    if (autoSave && saveAfterEachMessage_)
        SaveLocked(logFile_);
}

void TLog::TrimLocked() {
    while (messages_.Count() > countLastMessages_)
        messages_.Delete(messages_.Count() - 1);
}

void TLog::SaveLocked(const std::string& fileName) {
    // The save's own line does not save again.
    AddLineLocked("Save time: " + TimeNow(), false);
    const std::string report = ReportLocked();
    TFileStream file(fileName, fmCreate);
    file.WriteBuffer(report.data(), report.size());
}

std::string TLog::ReportLocked() const {
    std::string report;
    report += Crlf + std::string("Exceptions:") + Crlf + "============" + Crlf + exceptions_.Text();
    report +=
        Crlf + std::string("System Info:") + Crlf + "============" + Crlf + systemInfo_.Text();
    report += Crlf + std::string("Log:") + Crlf + "============" + Crlf + messages_.Text();
    return report;
}

std::shared_ptr<TLog> Log() {
    std::lock_guard<std::mutex> guard(LogLock());
    std::shared_ptr<TLog>& log = TheLog();
    if (!log)
        log = std::make_shared<TLog>(5000);
    return log;
}

void adxReleaseLog() {
    std::lock_guard<std::mutex> guard(LogLock());
    TheLog().reset();
}

void TDebug::WriteLine(const std::string&) {}
