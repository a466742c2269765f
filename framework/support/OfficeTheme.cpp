// Reading the Office colour scheme from the registry.
#include "framework/support/OfficeTheme.h"

#include "platform/rtl/Format.h"
#include "platform/win/Registry.h"

bool adxReadOfficeTheme(int majorVersion, TadxOfficeColorScheme& scheme) {
    try {
        TRegistry registry; // HKEY_CURRENT_USER
        if (!registry.OpenKeyReadOnly(
                Format("Software\\Microsoft\\Office\\%d.0\\Common", {majorVersion})))
            return false;
        if (!registry.ValueExists("Theme"))
            return false;
        scheme =
            static_cast<TadxOfficeColorScheme>(static_cast<uint8_t>(registry.ReadInteger("Theme")));
        return true;
    } catch (const ERegistryException&) {
        // A value of another type is as good as none.
        return false;
    }
}
