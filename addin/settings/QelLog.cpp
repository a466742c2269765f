// The log writer. Each line costs a mutex wait, an open, a write and a close:
// slow, but the file is always complete and shared by every process, and the
// add-in writes a line only when something went wrong or at a milestone.
#include "addin/settings/QelLog.h"

#include "addin/settings/DataFolder.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Clock.h"
#include "platform/win/Synch.h"

#include <utility>

DWORD TQelLog::MutexWaitMs = 5000;

void TQelLog::WriteLogFile(const std::string& Text) {
    try {
        std::string log = IncludeTrailingPathDelimiter(LorvaneDataFolder()) + LogFileName;
        TQelLog writer(log, MutexName, MaxLogSize, log + BackupSuffix);
        writer.WriteLine(Text);
        writer.Destroy();
    } catch (...) {
        // The log is where failures go; its own have nowhere to go.
    }
}

void TQelLog::Log(const std::string& Message) {
    try {
        WriteLogFile(DateTimeToStr(Now()) + " - " + Message);
    } catch (...) {
        // Even the date text is not worth a failure of the caller.
    }
}

TQelLog::TQelLog(std::string FileName, const std::string& MutexName, int64_t MaxSize,
                 std::string BackupName, DWORD waitMs)
    : fileName_(std::move(FileName)), backupName_(std::move(BackupName)), maxSize_(MaxSize) {
    if (!MutexName.empty()) {
        mutex_ = CreateMutex(nullptr, FALSE, MutexName.c_str());
        if (!mutex_)
            throw EQelError("Cannot open the mutex \"%s\".", {MutexName});
        // An abandoned mutex is owned all the same: its last writer died,
        // and its line at worst lacks its end.
        DWORD wait = WaitForSingleObject(mutex_, waitMs);
        if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
            CloseHandle(mutex_);
            mutex_ = nullptr;
            throw EQelError("The mutex \"%s\" was not free within %d ms.", {MutexName, waitMs});
        }
    }
    try {
        if (!FileExists(fileName_)) {
            TFileStream created(fileName_, fmCreate);
        }
        stream_ = std::make_unique<TFileStream>(fileName_, fmOpenReadWrite | fmShareDenyWrite);
        stream_->Seek(0, soEnd);
    } catch (...) {
        stream_.reset();
        ReleaseMutex();
        throw;
    }
}

TQelLog::~TQelLog() {
    stream_.reset();
    ReleaseMutex();
}

void TQelLog::WriteLine(const std::string& Text) {
    stream_->WriteBuffer(Text.data(), Text.size());
    stream_->WriteBuffer("\r\n", 2);
}

void TQelLog::Destroy() {
    struct MutexRelease {
        TQelLog& log;
        ~MutexRelease() { log.ReleaseMutex(); }
    } release{*this};
    if (!stream_)
        return;
    int64_t size = stream_->GetPosition();
    stream_.reset();
    if (maxSize_ >= 1 && maxSize_ < size) {
        DeleteFile(backupName_);
        if (!RenameFile(fileName_, backupName_))
            throw EQelError("Cannot rename file from \"%0:s\" to \"%1:s\".",
                            {fileName_, backupName_});
    }
}

void TQelLog::ReleaseMutex() noexcept {
    if (!mutex_)
        return;
    ::ReleaseMutex(mutex_);
    CloseHandle(mutex_);
    mutex_ = nullptr;
}
