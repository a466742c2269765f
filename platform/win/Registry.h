// The registry, through the class library's registry object.
//
// Two hives are stored, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE;
// HKEY_CLASSES_ROOT is a view of HKEY_LOCAL_MACHINE\Software\Classes. Key
// and value names are found without regard to letter case and keep the case
// they were first written in. Values are strings (REG_SZ, REG_EXPAND_SZ),
// 32-bit integers (REG_DWORD) and binary data; the empty name is the key's
// default value. Everything lives in PlatformHome()/registry.reg (see
// RegistryStore.h).
//
//   TRegistry reg;                                   // root HKEY_CURRENT_USER
//   reg.SetRootKey(HKEY_LOCAL_MACHINE);
//   if (reg.OpenKey("\\Software\\Microsoft\\Office\\Outlook\\AddIns\\X.Y", true)) {
//       reg.WriteString("FriendlyName", "X");
//       reg.WriteInteger("LoadBehavior", 3);
//       reg.CloseKey();
//   }
//
// Paths that begin with a backslash start at the root key; others start at
// the open key when there is one, else at the root. The root of a hive holds
// no values and cannot be deleted: writes there and DeleteKey("") refuse.
#pragma once

#include "platform/rtl/Exception.h"
#include "platform/win/RegistryTree.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct HKEY__;
// A registry root; only the predefined keys below exist here.
using HKEY = HKEY__*;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t(0x80000000u));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t(0x80000002u));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(uintptr_t(0x80000003u));

// A registry operation that failed (data of the wrong type, a key that could
// not be written, the registry file that could not be saved).
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// The kinds of data, as the registry object reports them.
enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry {
public:
    // A registry object on HKEY_CURRENT_USER with no key open.
    TRegistry() = default;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // The root key; setting it closes the open key.
    HKEY RootKey() const noexcept { return root_; }
    void SetRootKey(HKEY root);

    // Opens key (creating it and its parents when canCreate); false when it
    // does not exist and may not be created, or the path is not valid. The
    // key opened replaces the open one.
    bool OpenKey(std::string_view key, bool canCreate);
    // Opens an existing key for reading only; writes to it then raise.
    bool OpenKeyReadOnly(std::string_view key);
    // Closes the open key (nothing is pending: every change is saved at once).
    void CloseKey();
    // Creates key without opening it; raises ERegistryException when it
    // cannot be created (an empty or invalid path).
    bool CreateKey(std::string_view key);
    // Deletes key with every subkey and value; false when it does not exist
    // or names a root (an empty path, "\").
    bool DeleteKey(std::string_view key);
    // Whether key exists.
    bool KeyExists(std::string_view key);

    // True while a key is open.
    bool HasCurrentKey() const noexcept { return open_; }
    // The open key's path below the root, without a leading backslash.
    std::string CurrentPath() const;
    // Whether the open key has subkeys.
    bool HasSubKeys();
    // Names of the open key's subkeys (in name order) and values (in the
    // order they were created); empty when no key is open.
    std::vector<std::string> GetKeyNames();
    std::vector<std::string> GetValueNames();

    // Whether the open key has the value.
    bool ValueExists(std::string_view name);
    // The kind of a value's data (rdUnknown when missing).
    TRegDataType GetDataType(std::string_view name);
    // The size in bytes of a value's data (strings as UTF-16 with their NUL);
    // -1 when missing.
    int GetDataSize(std::string_view name);
    // Deletes a value; false when it does not exist.
    bool DeleteValue(std::string_view name);

    // A string value; "" when missing; raises for data that is not a string.
    std::string ReadString(std::string_view name);
    void WriteString(std::string_view name, std::string_view value);
    void WriteExpandString(std::string_view name, std::string_view value);
    // A REG_DWORD value as a signed integer; raises when missing or of another type.
    int32_t ReadInteger(std::string_view name);
    void WriteInteger(std::string_view name, int32_t value);
    // An integer value read and written as a Boolean (non-zero is true).
    bool ReadBool(std::string_view name) { return ReadInteger(name) != 0; }
    void WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // Binary data into buffer; returns the number of bytes. Raises when the
    // value is missing, of string or integer type, or larger than size.
    int ReadBinaryData(std::string_view name, void* buffer, int size);
    std::vector<uint8_t> ReadBinaryData(std::string_view name);
    void WriteBinaryData(std::string_view name, const void* buffer, int size);

private:
    // The open key's pieces below the root, or the pieces of path resolved
    // against it; false for an invalid path.
    bool Target(std::string_view path, std::vector<std::string>& pieces) const;
    // A copy of the open key's value, if it has one.
    bool FindValue(std::string_view name, platform::RegValue& out);
    // The value, or ERegistryException ("Failed to get data").
    platform::RegValue RequireValue(std::string_view name);
    void Write(platform::RegValue value);

    HKEY root_ = HKEY_CURRENT_USER;
    bool open_ = false;
    bool readOnly_ = false;
    std::vector<std::string> path_;
};

namespace platform {

// Groups registry changes so that the file is written once: while a batch
// lives, this thread holds the registry and changes are kept in memory; they
// are written when the outermost batch commits or ends.
//
//   platform::RegistryBatch batch;
//   ... TRegistry writes ...
//   batch.Commit();   // raises ERegistryException when the file cannot be written
class RegistryBatch {
public:
    RegistryBatch();
    // Writes what is pending if Commit was not called; a failure is then
    // recorded in RegistryLoadProblems, since a destructor cannot raise.
    ~RegistryBatch();
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;
    // Ends the batch, writing what is pending (for the outermost batch).
    void Commit();

private:
    bool open_ = true;
};

// The registry file of this machine (PlatformHome()/registry.reg).
std::string RegistryFilePath();
// Reads the registry file again, dropping what was in memory (tests that
// replace the file use it; a changed file or home folder is noticed anyway).
void ReloadRegistry();
// Problems met in the registry file when it was last read (and failed writes
// at the end of a batch).
std::vector<std::string> RegistryLoadProblems();
// How many times this process has written the registry file (each write is
// a flushed, atomic replacement: what a sequence of changes costs).
unsigned long RegistryFileWrites();
// A number that grows whenever the registry changes: a change of this process
// or another process's write noticed in the file. Equal numbers mean the same
// registry, so a caller may skip comparing what it saw before.
unsigned long long RegistryChanges();
// Calls reader with the whole registry, up to date with the file, held
// unchanged while it runs (reader must not change it).
void ReadRegistry(const std::function<void(const RegTree&)>& reader);

} // namespace platform
