// The ribbon's callbacks, one row each: the name the ribbon document writes
// and the host asks GetIDsOfNames for, its DISPID, the attribute that names
// it in the document, the arguments the host passes, what it answers, what
// it asks the tab or control for and with which property kind, whether the
// inner button of a split button is answered by the split button
// ("wrapped"), whether Outlook's rule for shared built-in ids applies, and
// the answer when no tab or control has the id. Everything that knows a
// callback reads it here: the attribute lists (RibbonAttributes.h), the
// document's root (RibbonDocument.cpp) and the dispatch (RibbonCallbacks.h).
#pragma once

#include "framework/ribbon/adxRibbonComponent.h"
#include "platform/com/Variant.h"

#include <string_view>

// The DISPIDs the framework refers to by name.
enum : DISPID {
    adxRibbonLoadedDispId = 10,
    adxGetImagesDispId = 11,
    adxOnActionCommonDispId = 50,
    adxOnActionStateDispId = 52,
    adxOnActionSelectedDispId = 54,
    adxOnChangeDispId = 55,
};

// The names of the actions: a control chooses one for its "onAction".
inline constexpr const char* adxOnActionCommon = "OnActionCommon_Callback";
inline constexpr const char* adxOnActionState = "OnActionState_Callback";
inline constexpr const char* adxOnActionSelected = "OnActionSelected_Callback";

// What the host passes, in declaration order.
enum class TadxCallbackArgs {
    Ribbon,               // (ribbon)
    ImageName,            // (image name)
    Control,              // (control)
    ControlIndex,         // (control, index)
    ControlPressed,       // (control, pressed)
    ControlSelection,     // (control, selected id, selected index)
    ControlText,          // (control, text)
    ControlCancel,        // (control, cancel by reference)
    ControlPressedCancel, // (control, pressed, cancel by reference)
};

// What the callback answers.
enum class TadxCallbackAnswer { None, Bool, String, Integer, Picture, Variant };

// What the callback does.
enum class TadxCallbackWork {
    RibbonLoaded, // keeps the ribbon, fires OnRibbonLoaded
    LoadImage,    // the picture of the control named by the image name
    Property,     // asks the component, offers the answer to DoChangeProperty
    Picture,      // offers an empty answer to DoChangeProperty, else makes the picture
    Action,       // hands the arguments to the component's DoAction
    Repurposed,   // nothing; a cancel flag goes back as it came
};

struct TadxRibbonCallback {
    DISPID Id;
    const char* Name;
    // The document attribute that names this callback and no other; nullptr
    // for the actions, whose "onAction" names one of three.
    const char* Attribute;
    TadxCallbackArgs Args;
    TadxCallbackAnswer Answer;
    TadxCallbackWork Work;
    // The property callbacks' question (the item's for index >= 0).
    Variant (*Ask)(IadxRibbonComponent& component, int32_t index);
    // The property kind offered to DoChangeProperty; -1 for none.
    int Kind;
    // The first "wrapped" of the control's id is removed before the look-up.
    bool Strip;
    // In Outlook, several controls of one built-in id answer by the item shown.
    bool MsoRule;
    // The answer when no tab or control has the id.
    Variant (*NotFound)();
};

// The row of a DISPID, or nullptr.
const TadxRibbonCallback* adxFindRibbonCallback(DISPID id);
// The row of a callback name (exact letter case), or nullptr.
const TadxRibbonCallback* adxFindRibbonCallback(std::u16string_view name);
// The callback an attribute such as "getLabel" names ("GetLabel_Callback"),
// or nullptr for an attribute that names none.
const char* adxCallbackOf(std::string_view attribute);
// The name of a callback DISPID, or nullptr when the table has none.
const char* adxRibbonCallbackName(DISPID id);
// The number of arguments the host passes.
size_t adxCallbackArgCount(TadxCallbackArgs args);
