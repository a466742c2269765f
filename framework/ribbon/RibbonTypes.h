// The small types every part of the ribbon shares: which value a callback
// asks a control for, the record an action hands to a control, the handler
// types of the ribbon controls' events, the control type codes that stored
// forms keep for mixed child collections, and the enumerations of the
// control classes' published properties.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "platform/rtl/Object.h"

#include <cstdint>
#include <functional>
#include <string>

struct IRibbonControl;

// The value a ribbon callback is about to answer, as OnPropertyChanging and
// OnItemPropertyChanging see it.
enum TadxRibbonControlPropertyType : uint8_t {
    rcptVisible,
    rcptKeyTip,
    rcptCaption,
    rcptEnabled,
    rcptPressed,
    rcptGlyph,
    rcptScreenTip,
    rcptSuperTip,
    rcptShowCaption,
    rcptShowImage,
    rcptSize,
    rcptDescription,
    rcptText,
    rcptItemCount,
    rcptSelectedItemIndex,
    rcptSelectedItemID,
    rcptItemHeight,
    rcptItemWidth,
    rcptContent,
    rcptTitle,
    rcptItemID,
    rcptItemCaption,
    rcptItemScreenTip,
    rcptItemSuperTip,
    rcptItemGlyph,
    rcptShowItemImage,
};

// What an action callback hands to the control it is about (DoAction);
// fields the callback does not set are false, empty or 0.
struct TadxRibbonActionArguments {
    // The host's control, as the callback received it.
    IRibbonControl* RibbonControl = nullptr;
    // The new state of a toggle button or check box.
    bool Pressed = false;
    // The item picked in a drop-down or gallery.
    std::u16string SelectedId;
    int32_t SelectedIndex = 0;
    // Whether a repurposed built-in command should not run.
    bool CancelDefault = false;
    // The text typed into an edit box or combo box.
    std::u16string Text;
};

// A value a callback is about to answer; the handler may change it.
using TadxRibbonPropertyChanging =
    std::function<void(TObject* Sender, TadxRibbonControlPropertyType PropertyType, Variant& Value,
                       IDispatch* Context)>;
// The same for a value of one item of a combo box, drop-down or gallery.
using TadxRibbonItemPropertyChanging =
    std::function<void(TObject* Sender, TadxRibbonControlPropertyType PropertyType, Variant& Value,
                       IDispatch* Context, int32_t Index)>;
// The user clicked a button, split button, check box or dialog box launcher.
using TadxRibbonOnClick = std::function<void(TObject* Sender, IRibbonControl* RibbonControl)>;
// The user changed the text or the selection of a control.
using TadxRibbonOnChange = std::function<void(TObject* Sender, IRibbonControl* RibbonControl)>;

// The ribbon control type codes: what GetType answers, what a container's
// stored "ControlTypes" lists for each child, and what TadxRibbonControls::Add
// creates for a code. Codes 0 to 3 stand for the base class (1 is a tab's).
enum : uint8_t {
    adxRibbonTypeCustom = 0,
    adxRibbonTypeTab = 1,
    adxRibbonTypeGroup = 4,
    adxRibbonTypeBox = 5,
    adxRibbonTypeButtonGroup = 6,
    adxRibbonTypeButton = 7,
    adxRibbonTypeSplitButton = 8,
    adxRibbonTypeLabel = 9,
    adxRibbonTypeCheckBox = 10,
    adxRibbonTypeEditBox = 11,
    adxRibbonTypeComboBox = 12,
    adxRibbonTypeDropDown = 13,
    adxRibbonTypeGallery = 14,
    adxRibbonTypeMenu = 15,
    adxRibbonTypeSeparator = 16,
    adxRibbonTypeMenuSeparator = 17,
    adxRibbonTypeDialogBoxLauncher = 18,
    adxRibbonTypeItem = 19,
};

// The size of a control on the ribbon.
enum TadxRibbonXControlSize : uint8_t { csRegular, csLarge };
// How a button with an IdMso is written: as the built-in's own element, or
// as a plain "control" element.
enum TadxParseMsoXmlTypeAs : uint8_t { pxtDefault, pxtControl };
// The size of a menu's items.
enum class TadxRibbonXItemSize : uint8_t { Normal, Large };
// How a box lays out its controls.
// (Scoped: the brush styles of the drawing layer use the same names.)
enum class TadxRibbonXBoxStyle : uint8_t { bsHorizontal, bsVertical };
