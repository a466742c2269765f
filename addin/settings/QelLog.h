// The add-in's log. Handlers catch their
// exceptions and record them here, with a few progress notes, in one text
// file in the data folder: "ZubLogFile.txt", which rolls over into a single
// backup "ZubLogFile.txt_Old.txt" once a line takes it past 100000 bytes.
// Every line is appended under the named mutex "TestLogging", with the file
// opened and closed around it, so that every Outlook process on the machine
// can write to the same file without tearing another's lines.
//
// Logging never fails its caller: a line that cannot be written is dropped.
// That includes a line whose writer cannot get the mutex within a few seconds
// (another process holding it for ever must not freeze Outlook's window).
#pragma once

#include "addin/settings/QelError.h"
#include "platform/rtl/Streams.h"
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <memory>
#include <string>

// Writes one line to a log file under a named mutex and rolls the file over
// into its backup when the line takes it past the maximum size. Made for one
// line and freed at once:
//
//   TQelLog log(fileName, "TestLogging", 100000, fileName + "_Old.txt");
//   log.WriteLine(text);
//   log.Destroy();   // closes the file, rolls it over, releases the mutex
class TQelLog {
public:
    // The log file's name in the data folder.
    static constexpr const char* LogFileName = "ZubLogFile.txt";
    // What the backup's name adds to the log file's name.
    static constexpr const char* BackupSuffix = "_Old.txt";
    // The mutex that serialises the writers of every process.
    static constexpr const char* MutexName = "TestLogging";
    // The size past which the file rolls over.
    static constexpr int64_t MaxLogSize = 100000;
    // How long WriteLogFile waits for the mutex before dropping its line, in
    // milliseconds of real time. Long enough for any writer that is merely
    // busy; tests of the give-up path shorten it.
    static DWORD MutexWaitMs;

    // Appends Text and CR LF to "ZubLogFile.txt" in the data folder (made when
    // missing); never raises: a line that cannot be written is lost.
    static void WriteLogFile(const std::string& Text);
    // Logs a message as every handler does: the local date and time, " - "
    // and the message. Never raises.
    static void Log(const std::string& Message);

    // Opens FileName (created empty when missing) for appending. With a
    // MutexName, first waits for that mutex, at most waitMs milliseconds;
    // raises EQelError when it cannot have it, and the stream's exception
    // when the file cannot be opened. MaxSize 0 or less never rolls over.
    TQelLog(std::string FileName, const std::string& MutexName, int64_t MaxSize,
            std::string BackupName, DWORD waitMs = MutexWaitMs);
    // Closes what Destroy did not (without rolling over).
    ~TQelLog();
    TQelLog(const TQelLog&) = delete;
    TQelLog& operator=(const TQelLog&) = delete;

    // Writes the text's bytes, then CR LF.
    void WriteLine(const std::string& Text);
    // Closes the file; when it is now larger than the maximum size, replaces
    // the backup with it (the next line starts a new file); releases the
    // mutex in any case. Raises EQelError 'Cannot rename file from "%0:s" to
    // "%1:s".' when the file cannot be renamed.
    void Destroy();

private:
    void ReleaseMutex() noexcept;

    std::unique_ptr<TFileStream> stream_;
    std::string fileName_;
    std::string backupName_;
    int64_t maxSize_;
    HANDLE mutex_ = nullptr;
};
