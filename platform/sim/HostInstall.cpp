// The installation of the simulated hosts' classes.
#include "platform/sim/HostInstall.h"

#include "platform/com/ComClasses.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

namespace sim {
namespace {

void WriteDefault(TRegistry& reg, const std::string& key, const std::string& value) {
    if (!reg.OpenKey(key, true))
        throw ERegistryException("Cannot create the key " + key + ".");
    reg.WriteString("", value);
    reg.CloseKey();
}

} // namespace

void InstallHostClass(const HostClassInstall& install) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    std::string progIdKey = "\\" + install.ProgId;
    std::string versioned = install.ProgId + "." + std::to_string(install.MajorVersion);
    std::string clsid = install.ClassId.ToString();
    std::string classKey = "\\CLSID\\" + clsid;
    WriteDefault(reg, progIdKey, install.Title);
    WriteDefault(reg, progIdKey + "\\CLSID", clsid);
    WriteDefault(reg, progIdKey + "\\CurVer", versioned);
    WriteDefault(reg, "\\" + versioned, install.Title);
    WriteDefault(reg, "\\" + versioned + "\\CLSID", clsid);
    WriteDefault(reg, classKey, install.Title);
    WriteDefault(reg, classKey + "\\ProgID", versioned);
    WriteDefault(reg, classKey + "\\VersionIndependentProgID", install.ProgId);
    if (!install.LocalServer.empty())
        WriteDefault(reg, classKey + "\\LocalServer32", install.LocalServer);
}

void UninstallHostClass(const std::string& progId, const GUID& classId) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    std::string progIdKey = "\\" + progId;
    if (reg.OpenKeyReadOnly(progIdKey + "\\CurVer")) {
        std::string versioned = reg.ReadString("");
        reg.CloseKey();
        if (!versioned.empty())
            reg.DeleteKey("\\" + versioned);
    }
    reg.DeleteKey(progIdKey);
    reg.DeleteKey("\\CLSID\\" + classId.ToString());
}

bool IsHostClassInstalled(const std::string& progId, const GUID& classId) {
    GUID clsid;
    return SUCCEEDED(CLSIDFromProgID(text::Utf8ToUtf16(progId), &clsid)) && clsid == classId;
}

} // namespace sim
