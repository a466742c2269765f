// The ribbon callbacks: the host calls the methods the ribbon document names
// ("GetLabel_Callback", "OnActionCommon_Callback", ...) late-bound through
// the add-in object's IDispatch. This is the dispatch behind their table
// (RibbonCallbackTable.h): the arguments are read from DISPPARAMS by the
// platform's reader (count checked, values converted as automation
// converts them), the tab or control the callback is
// about is found by id in the module's key list and asked for its answer
// through IadxRibbonComponent (its OnPropertyChanging may change it), and
// the answer is packed into the result. A callback for a control the module
// no longer knows answers the table's not-found value.
//
// The add-in object asks its own type library first and comes here for the
// names and DISPIDs that the type library does not know.
#pragma once

#include "framework/ribbon/RibbonCallbackTable.h"
#include "framework/ribbon/adxRibbonComponent.h"
#include "platform/com/DispParams.h"

#include <string>

class TadxModuleServices;

// The DISPID of a callback name (exact letter case), or DISPID_UNKNOWN.
DISPID adxRibbonCallbackId(std::u16string_view name);

// GetIDsOfNames over the callback table: every DISPID is set to -1 and only
// the first name is looked up; S_OK when it is a callback, else DISP_E_UNKNOWNNAME.
HRESULT adxRibbonGetIDsOfNames(const char16_t* const* names, uint32_t count,
                               DISPID* dispIds) noexcept;

// Invoke of callback id for the module (nullptr: disconnected, every
// control is unknown). A DISPID outside the table answers
// DISP_E_MEMBERNOTFOUND; a wrong argument count DISP_E_BADPARAMCOUNT; an
// argument that cannot be converted DISP_E_TYPEMISMATCH (or DISP_E_OVERFLOW)
// with its rgvarg index in *argErr; any exception of the callback DISP_E_EXCEPTION. A missing
// result discards the answer.
HRESULT adxRibbonInvoke(TadxModuleServices* module, DISPID id, DispParams* params, Variant* result,
                        uint32_t* argErr) noexcept;

// The tab or control whose key-list key equals Id (letter case ignored), or
// nullptr; entries that hold no tab or control are passed over.
IadxRibbonComponent* GetRibbonControl(TadxModuleServices& Module, const std::u16string& Id);

// Outlook only: among several tabs or controls sharing the built-in id
// IdMso, picks the one whose Ribbons cover the kind of item shown in the
// window Context (by its message class). Component stays otherwise.
void CheckMsoControls(TadxModuleServices& Module, const std::u16string& IdMso, IDispatch* Context,
                      IadxRibbonComponent*& Component);

// The ribbon kinds of an item's message class ("IPM.Note.x": mail read and
// compose), 0 when none.
uint32_t adxRibbonsOfMessageClass(std::u16string_view messageClass);
