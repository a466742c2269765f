// The host codes of bar protections, button styles and control kinds.
#include "framework/commandbars/CommandBarTypes.h"

int32_t adxProtectionFlag(TadxMsoBarProtection Protection) {
    return Protection == adxMsoBarNoProtection ? 0 : 1 << (Protection - 1);
}

TadxMsoBarProtection adxProtectionIndex(int32_t Flag) {
    for (int index = 1; index <= adxMsoBarNoHorizontalDock; ++index)
        if (Flag == 1 << (index - 1))
            return static_cast<TadxMsoBarProtection>(index);
    return adxMsoBarNoProtection;
}

namespace {

constexpr int32_t kStyleCodes[] = {0, 1, 2, 3, 7, 11, 14, 15};

} // namespace

int32_t adxButtonStyleCode(TadxMsoButtonStyle Style) {
    return Style <= adxMsoButtonIconAndWrapCaptionBelow ? kStyleCodes[Style] : 0;
}

bool adxButtonStyleOf(int32_t Code, TadxMsoButtonStyle& Style) {
    for (uint8_t i = 0; i < 8; ++i)
        if (kStyleCodes[i] == Code) {
            Style = static_cast<TadxMsoButtonStyle>(i);
            return true;
        }
    return false;
}

int32_t adxHostControlType(TadxControlKind Kind) {
    switch (Kind) {
    case adxKindButton:
    case adxKindAdvanced:
        return 1;
    case adxKindEdit:
        return 2;
    case adxKindDropDownList:
        return 3;
    case adxKindComboBox:
        return 4;
    case adxKindPopup:
        return 10;
    default:
        return 0;
    }
}
