// Reading a stored start mode.
#include "framework/support/StartMode.h"

#include "platform/text/Text.h"

#include <string>

TadxStartMode adxStartMode(std::string_view value) {
    // The modes are tried in this order, each as an exact match of the
    // upper-cased text.
    const std::string upper = text::UpperCase(value);
    for (TadxStartMode mode : {adxStartModeUninstall, adxStartModeNormal, adxStartModeFirstStart})
        if (upper == adxStartModeNames[mode])
            return mode;
    return adxStartModeUnknown;
}
