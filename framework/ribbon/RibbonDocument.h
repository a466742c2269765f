// The ribbon document: what the add-in object answers when a host asks, by
// ribbon identifier, for the custom UI of one kind of window (GetCustomUI).
// It is built from the module's tabs and contextual tabs and, recursively,
// their controls, each written through IadxRibbonComponent as its element
// and attributes; components that do not belong to the ribbon identifier
// are left out. The text form is TadxXMLHelper's, so the same tabs and
// controls always give the same bytes.
#pragma once

#include "framework/support/RibbonKinds.h"

#include <string>
#include <string_view>

class TadxModuleServices;
class TadxXMLHelper;
class IadxRibbonComponent;

// The ribbon identifier of ribbon kind n ("Microsoft.Outlook.Mail.Compose").
const char16_t* adxRibbonIdentifier(TadxRibbon kind);

// True when RibbonID is "DynamicMenu" or "Microsoft.Mso.IMLayerUI", or the
// identifier (exactly) of a kind in Ribbons.
bool IsItemTypeSupported(std::u16string_view RibbonID, TadxRibbons Ribbons);

// Raised by adxProcessChildren when a menu's OnCreate turned the add-in off,
// which frees the module and every control of the document being written:
// whoever started the writing answers an empty document. Not an Exception,
// so that no handler guard on the way swallows it.
struct EadxRibbonModuleFreed {};

// Writes Component and, recursively, its children, when it belongs to
// RibbonID; Module (may be nullptr) finds the menus and split buttons by id.
// A menu that frees itself from its OnCreate is left out; an exception of
// OnCreate goes on to the caller.
void adxProcessChildren(TadxModuleServices* Module, TadxXMLHelper& Writer,
                        IadxRibbonComponent& Component, std::u16string_view RibbonID);

// The whole document for RibbonID (GetCustomUI): sets the module's host type
// from the identifier and its ribbon-host flag, fires OnRibbonBeforeCreate,
// prunes the key list of what this host never shows, writes the document
// and lets OnRibbonBeforeLoad replace it. The module's two handlers are
// guarded (their exceptions go to DoError); a menu's OnCreate is not, and
// like any other failure it raises: the host gets no document rather than
// an incomplete one. A handler that turns the add-in off (freeing Module)
// gets an empty document.
std::u16string adxGetCustomUI(TadxModuleServices& Module, const std::u16string& RibbonID);
