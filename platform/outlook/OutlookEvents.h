// The handler types of the Outlook wrappers' events. Every handler gets the
// wrapper that raised the event as Sender; `WordBool& Cancel` and the other
// references are the event's by-reference arguments, so what a handler
// writes reaches Outlook.
#pragma once

#include "platform/com/Com.h"
#include "platform/rtl/Object.h"

#include <functional>
#include <string>

// An event that may be cancelled (Send, BeforeMaximize, Write, ...).
using TOlCancelEvent = std::function<void(TObject* Sender, WordBool& Cancel)>;
// An event about one object (NewExplorer, ItemAdd, Reminder, ...).
using TOlObjectEvent = std::function<void(TObject* Sender, const ComPtr<IDispatch>& Object)>;
// An event about one object that may be cancelled (ItemSend, Reply, Forward,
// BeforeFolderSwitch, BeforeDelete, ...).
using TOlObjectCancelEvent =
    std::function<void(TObject* Sender, const ComPtr<IDispatch>& Object, WordBool& Cancel)>;
// An event with one text (NewMailEx's entry ids, PropertyChange's property name).
using TOlTextEvent = std::function<void(TObject* Sender, const std::u16string& Text)>;
// The name space's OptionsPagesAdd: the property pages and the folder.
using TOlPagesFolderEvent = std::function<void(TObject* Sender, const ComPtr<IDispatch>& Pages,
                                               const ComPtr<IDispatch>& Folder)>;
// An explorer's BeforeViewSwitch: the new view and Cancel.
using TOlViewCancelEvent =
    std::function<void(TObject* Sender, const Variant& NewView, WordBool& Cancel)>;
// An explorer's BeforeItemPaste: what is pasted, the target folder and Cancel.
using TOlItemPasteEvent = std::function<void(TObject* Sender, Variant& ClipboardContent,
                                             const ComPtr<IDispatch>& Target, WordBool& Cancel)>;
// An inspector's PageChange: the page's name, which the handler may change.
using TOlPageChangeEvent = std::function<void(TObject* Sender, std::u16string& ActivePageName)>;
// An item's CustomAction: the action, the response item and Cancel.
using TOlCustomActionEvent =
    std::function<void(TObject* Sender, const ComPtr<IDispatch>& Action,
                       const ComPtr<IDispatch>& Response, WordBool& Cancel)>;
