// The ribbon callback table and dispatch.
#include "framework/ribbon/RibbonCallbacks.h"

#include "framework/AddInModule.h"
#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonImages.h"
#include "framework/ribbon/RibbonTab.h"
#include "platform/com/LateBound.h"
#include "platform/office/Ribbon.h"
#include "platform/text/Text.h"

#include <functional>
#include <iterator>
#include <memory>

namespace {

// What a callback answers.
enum class Result { None, Bool, String, Integer, Picture, Variant };

// The argument lists the host passes (after the control, when there is one).
enum class Arguments {
    Ribbon,               // (ribbon)
    ImageName,            // (image name)
    Control,              // (control)
    ControlIndex,         // (control, index)
    ControlCancel,        // (control, cancel by reference)
    ControlPressed,       // (control, pressed)
    ControlPressedCancel, // (control, pressed, cancel by reference)
    ControlSelection,     // (control, selected id, selected index)
    ControlText,          // (control, text)
};

using Getter = std::function<Variant(IadxRibbonComponent&)>;

struct Entry {
    DISPID Id;
    const char* Name;
    Arguments Args;
    Result Answer;
    // The property kind offered to DoChangeProperty; -1 for none.
    int Kind;
    // The inner button of a split button answers for it ("wrapped" is removed).
    bool Strip;
};

// The callback table, by DISPID.
constexpr Entry kTable[] = {
    {10, "RibbonLoaded_Callback", Arguments::Ribbon, Result::None, -1, false},
    {11, "GetImages_Callback", Arguments::ImageName, Result::Picture, -1, true},
    {12, "GetVisible_Callback", Arguments::Control, Result::Bool, rcptVisible, false},
    {13, "GetKeyTip_Callback", Arguments::Control, Result::String, rcptKeyTip, false},
    {14, "GetLabel_Callback", Arguments::Control, Result::String, rcptCaption, true},
    {15, "GetEnabled_Callback", Arguments::Control, Result::Bool, rcptEnabled, false},
    {16, "GetPressed_Callback", Arguments::Control, Result::Bool, rcptPressed, true},
    {17, "GetImage_Callback", Arguments::Control, Result::Picture, rcptGlyph, true},
    {19, "GetSuperTip_Callback", Arguments::Control, Result::String, rcptSuperTip, true},
    {20, "GetScreenTip_Callback", Arguments::Control, Result::String, rcptScreenTip, true},
    {21, "GetSize_Callback", Arguments::Control, Result::Integer, rcptSize, false},
    {22, "GetShowLabel_Callback", Arguments::Control, Result::Bool, rcptShowCaption, true},
    {23, "GetShowImage_Callback", Arguments::Control, Result::Bool, rcptShowImage, true},
    {24, "GetDescription_Callback", Arguments::Control, Result::String, rcptDescription, true},
    {25, "GetText_Callback", Arguments::Control, Result::Variant, rcptText, false},
    {26, "GetItemCount_Callback", Arguments::Control, Result::Integer, rcptItemCount, false},
    {27, "GetItemID_Callback", Arguments::ControlIndex, Result::String, rcptItemID, false},
    {28, "GetItemImage_Callback", Arguments::ControlIndex, Result::Picture, rcptItemGlyph, false},
    {29, "GetItemLabel_Callback", Arguments::ControlIndex, Result::String, rcptItemCaption, false},
    {30, "GetItemScreenTip_Callback", Arguments::ControlIndex, Result::String, rcptItemScreenTip,
     false},
    {31, "GetItemSuperTip_Callback", Arguments::ControlIndex, Result::String, rcptItemSuperTip,
     false},
    {32, "GetShowItemImage_Callback", Arguments::ControlIndex, Result::Bool, rcptShowItemImage,
     false},
    {33, "GetSelectedItemIndex_Callback", Arguments::Control, Result::Integer,
     rcptSelectedItemIndex, false},
    {34, "GetSelectedItemId_Callback", Arguments::Control, Result::String, rcptSelectedItemID,
     false},
    {35, "GetItemHeight_Callback", Arguments::Control, Result::Integer, rcptItemHeight, false},
    {36, "GetItemWidth_Callback", Arguments::Control, Result::Integer, rcptItemWidth, false},
    {37, "GetContent_Callback", Arguments::Control, Result::String, rcptContent, false},
    {38, "GetTitle_Callback", Arguments::Control, Result::String, rcptTitle, false},
    {50, "OnActionCommon_Callback", Arguments::Control, Result::None, -1, true},
    {51, "OnActionCommonRepurposed_Callback", Arguments::ControlCancel, Result::None, -1, false},
    {52, "OnActionState_Callback", Arguments::ControlPressed, Result::None, -1, true},
    {53, "OnActionStateRepurposed_Callback", Arguments::ControlPressedCancel, Result::None, -1,
     false},
    {54, "OnActionSelected_Callback", Arguments::ControlSelection, Result::None, -1, false},
    {55, "OnChange_Callback", Arguments::ControlText, Result::None, -1, false},
};

const Entry* FindEntry(DISPID id) {
    for (const Entry& entry : kTable)
        if (entry.Id == id)
            return &entry;
    return nullptr;
}

size_t ArgumentCount(Arguments args) {
    switch (args) {
    case Arguments::Ribbon:
    case Arguments::ImageName:
    case Arguments::Control:
        return 1;
    case Arguments::ControlIndex:
    case Arguments::ControlCancel:
    case Arguments::ControlPressed:
    case Arguments::ControlText:
        return 2;
    case Arguments::ControlPressedCancel:
    case Arguments::ControlSelection:
        return 3;
    }
    return 0;
}

// The arguments of one call in declaration order, each checked for its
// type (by-reference values followed) before it is read.
class CallArguments {
public:
    CallArguments(const DispParams& params, size_t expected) : params_(params) {
        if (params.cNamedArgs != 0)
            throw EDispError(DISP_E_NONAMEDARGS);
        if (params.cArgs != expected || (expected > 0 && !params.rgvarg))
            throw EDispError(DISP_E_BADPARAMCOUNT);
    }

    // The rgvarg index of argument i.
    uint32_t RgIndex(size_t i) const { return params_.cArgs - 1 - static_cast<uint32_t>(i); }
    // Argument i as the caller passed it.
    Variant& Raw(size_t i) const { return params_.rgvarg[RgIndex(i)]; }
    // Argument i by value.
    Variant Value(size_t i) const { return Raw(i).Deref(); }

    // An interface argument queried for I; a nil or failed query raises.
    template <class I> ComPtr<I> Interface(size_t i) const {
        Variant v = Value(i);
        if (v.BaseType() != VT_DISPATCH && v.BaseType() != VT_UNKNOWN)
            Mismatch(i, "an object");
        ComPtr<IUnknown> unknown = v.AsUnknown();
        if (!unknown)
            throw EOleSysError("The callback was passed no object", E_POINTER);
        ComPtr<I> typed = ComQuery<I>(unknown.Get());
        if (!typed)
            throw EOleSysError("The object passed is not of the callback's kind", E_NOINTERFACE);
        return typed;
    }
    int32_t Integer(size_t i) const {
        Variant v = Value(i);
        switch (v.BaseType()) {
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_I8:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
            break;
        default:
            Mismatch(i, "an integer");
        }
        try {
            return v.AsInteger();
        } catch (const EOleSysError& e) {
            throw EDispArgError(e.Message, e.ErrorCode, RgIndex(i));
        }
    }
    bool Bool(size_t i) const {
        Variant v = Value(i);
        if (v.BaseType() != VT_BOOL)
            Mismatch(i, "a Boolean");
        return v.AsBool();
    }
    std::u16string String(size_t i) const {
        Variant v = Value(i);
        if (v.BaseType() != VT_BSTR)
            Mismatch(i, "a string");
        return v.AsWide();
    }

private:
    [[noreturn]] void Mismatch(size_t i, const char* expected) const {
        throw EDispArgError("Argument " + std::to_string(i + 1) + " of the callback is not " +
                                expected,
                            DISP_E_TYPEMISMATCH, RgIndex(i));
    }

    const DispParams& params_;
};

// A by-reference cancel flag: read before the callback, written after it.
class CancelArgument {
public:
    CancelArgument(const CallArguments& args, size_t i) : ref_(args.Raw(i)) {
        Variant v = ref_.Deref();
        if (v.BaseType() != VT_BOOL)
            throw EDispArgError("The cancel argument is not a Boolean", DISP_E_TYPEMISMATCH,
                                args.RgIndex(i));
        Value = v.AsBool();
    }
    // Written back only through a reference the caller passed.
    void WriteBack() const {
        if (ref_.IsByRef())
            ref_.SetValue(Variant(Value));
    }
    bool Value = false;

private:
    Variant& ref_;
};

std::u16string IdOf(IRibbonControl& control) {
    BSTR id;
    OleCheck(control.get_Id(&id));
    return id;
}

ComPtr<IDispatch> ContextOf(IRibbonControl& control) {
    IDispatch* context = nullptr;
    OleCheck(control.get_Context(&context));
    return ComPtr<IDispatch>::Adopt(context);
}

// The id with its first "wrapped" removed.
std::u16string Stripped(std::u16string id) {
    size_t at = id.find(u"wrapped");
    if (at != std::u16string::npos)
        id.erase(at, 7);
    return id;
}

// True unless the glyph is empty, there is no image index and no built-in image.
bool HasImage(IadxRibbonComponent& c) {
    return adxHasGlyph(c) || c.GetImageIndex() >= 0 || !c.GetImageMso().empty();
}

IadxRibbonComponent& ItemOf(IadxRibbonComponent& component, int32_t index) {
    TadxRibbonControls* items = component.GetItems();
    if (!items)
        throw EOleSysError("The control has no items", E_INVALIDARG);
    return *items->GetItem(index);
}

// The value of a property callback before the add-in's handler sees it.
Variant AskValue(DISPID id, IadxRibbonComponent& c, int32_t index) {
    switch (id) {
    case 12:
        return Variant(c.GetVisible());
    case 13:
        return Variant(c.GetKeyTip());
    case 14:
        return Variant(c.GetCaption());
    case 15:
        return Variant(c.GetEnabled());
    case 16:
        return Variant(c.GetPressed());
    case 19:
        return Variant(c.GetSuperTip());
    case 20:
        return Variant(c.GetScreenTip());
    case 21:
        return Variant(static_cast<int32_t>(c.GetSize()));
    case 22:
        return Variant(c.GetShowCaption());
    case 23:
        return Variant(HasImage(c));
    case 24:
        return Variant(c.GetDescription());
    case 25:
        return Variant(c.GetText());
    case 26:
        return Variant(c.GetItems() ? c.GetItems()->Count() : 0);
    case 27:
        return Variant(ItemOf(c, index).GetID());
    case 29:
        return Variant(ItemOf(c, index).GetCaption());
    case 30:
        return Variant(ItemOf(c, index).GetScreenTip());
    case 31:
        return Variant(ItemOf(c, index).GetSuperTip());
    case 32:
        return Variant(HasImage(ItemOf(c, index)));
    case 33:
        return Variant(c.GetSelectedItemIndex());
    case 34:
        return Variant(c.GetSelectedItemId());
    case 35:
        return Variant(c.GetItemHeight());
    case 36:
        return Variant(c.GetItemWidth());
    case 37:
        return Variant(c.GetContent());
    case 38:
        return Variant(c.GetTitle());
    default:
        return {};
    }
}

// The answer of a callback that finds no component.
Variant NotFound(const Entry& entry) {
    switch (entry.Id) {
    case 12:
    case 15:
    case 22:
    case 32:
        return Variant(true);
    case 16:
    case 23:
        return Variant(false);
    case 21:
    case 26:
    case 33:
        return Variant(0);
    case 35:
    case 36:
        return Variant(-1);
    case 25:
        return {};
    default:
        break;
    }
    switch (entry.Answer) {
    case Result::String:
        return Variant(std::u16string());
    case Result::Picture:
        return Variant(static_cast<IDispatch*>(nullptr));
    default:
        return {};
    }
}

// The answer converted to what the callback returns.
Variant Packed(const Entry& entry, const Variant& value) {
    switch (entry.Answer) {
    case Result::Bool:
        return Variant(value.AsBool());
    case Result::String:
        return Variant(value.AsWide());
    case Result::Integer:
        return Variant(value.AsInteger());
    case Result::Picture:
        return Variant(value.AsDispatch());
    default:
        return value;
    }
}

class Dispatcher {
public:
    Dispatcher(TadxCOMAddInModule* module, const Entry& entry, const DispParams& params)
        : module_(module), entry_(entry), args_(params, ArgumentCount(entry.Args)) {
        if (module)
            liveness_ = module->Liveness().Watch();
    }

    Variant Run() {
        switch (entry_.Args) {
        case Arguments::Ribbon:
            return RibbonLoaded();
        case Arguments::ImageName:
            return LoadImage();
        default:
            break;
        }
        ComPtr<IRibbonControl> control = args_.Interface<IRibbonControl>(0);
        if (entry_.Answer == Result::None)
            return Action(*control);
        return Property(*control);
    }

private:
    IadxRibbonComponent* Find(const std::u16string& id) const {
        return module_ ? GetRibbonControl(*module_, entry_.Strip ? Stripped(id) : id) : nullptr;
    }

    Variant RibbonLoaded() {
        ComPtr<IRibbonUI> ribbon = args_.Interface<IRibbonUI>(0);
        if (!module_)
            return {};
        module_->RibbonUI = ribbon;
        // Copied: the handler may turn the add-in off, which frees the module
        // and the handler with it.
        rtl::FireSurvives(module_->Liveness(), module_->OnRibbonLoaded, module_, ribbon.Get());
        return {};
    }

    Variant LoadImage() {
        IadxRibbonComponent* component = Find(args_.String(0));
        if (!component)
            return NotFound(entry_);
        return Variant(adxGetImage(*component, *module_));
    }

    Variant Property(IRibbonControl& control) {
        int32_t index = entry_.Args == Arguments::ControlIndex ? args_.Integer(1) : -1;
        std::u16string id = IdOf(control);
        IadxRibbonComponent* found = Find(id);
        if (!found)
            return NotFound(entry_);
        IadxRibbonComponent* component = found;
        ComPtr<IDispatch> context = ContextOf(control);
        if ((entry_.Id == 12 || entry_.Id == 15) && module_->HostType == ohaOutlook &&
            component->GetIDMso() == id)
            CheckMsoControls(*module_, id, context.Get(), component);
        auto kind = static_cast<TadxRibbonControlPropertyType>(entry_.Kind);
        if (entry_.Answer == Result::Picture)
            return Picture(id, *component, kind, context.Get(), index);
        Variant value = AskValue(entry_.Id, *component, index);
        // Asking a dynamic menu for its content runs its OnCreate, which may
        // have freed the menu or turned the add-in off.
        if (!liveness_ || Find(id) != found)
            return NotFound(entry_);
        component->DoChangeProperty(kind, value, context.Get(), index);
        return Packed(entry_, value);
    }

    // The handler may answer with a picture of its own; else the glyph or image list's.
    // The handler may also have turned the add-in off, which frees the module
    // with its controls, or freed its own control: the control is looked up
    // again before its picture is made, and a control gone answers as unknown.
    Variant Picture(const std::u16string& id, IadxRibbonComponent& component,
                    TadxRibbonControlPropertyType kind, IDispatch* context, int32_t index) {
        Variant value;
        component.DoChangeProperty(kind, value, context, index);
        if (value.BaseType() == VT_DISPATCH || value.BaseType() == VT_UNKNOWN)
            if (ComPtr<IUnknown> unknown = value.AsUnknown())
                return Variant(value.AsDispatch());
        IadxRibbonComponent* still = !liveness_ ? nullptr : Find(id);
        if (!still)
            return NotFound(entry_);
        if (entry_.Id == 28)
            return Variant(adxGetItemImage(*still, index, *module_));
        return Variant(adxGetImage(*still, *module_));
    }

    Variant Action(IRibbonControl& control) {
        TadxRibbonActionArguments action;
        action.RibbonControl = &control;
        switch (entry_.Args) {
        case Arguments::ControlCancel: {
            // Never named by the document: the cancel flag goes back as it came.
            CancelArgument cancel(args_, 1);
            cancel.WriteBack();
            return {};
        }
        case Arguments::ControlPressedCancel: {
            args_.Bool(1);
            CancelArgument cancel(args_, 2);
            cancel.WriteBack();
            return {};
        }
        case Arguments::ControlPressed:
            action.Pressed = args_.Bool(1);
            break;
        case Arguments::ControlSelection:
            action.SelectedId = args_.String(1);
            action.SelectedIndex = args_.Integer(2);
            break;
        case Arguments::ControlText:
            action.Text = args_.String(1);
            break;
        default:
            break;
        }
        if (IadxRibbonComponent* component = Find(IdOf(control)))
            component->DoAction(action);
        return {};
    }

    TadxCOMAddInModule* module_;
    // Expires when a handler turned the add-in off and so freed module_.
    rtl::TLifeWatch liveness_;
    const Entry& entry_;
    CallArguments args_;
};

// The message-class prefixes of Outlook's item windows and their ribbon kinds.
struct MessageClassRibbons {
    const char16_t* Prefix;
    uint32_t Mask;
};
constexpr MessageClassRibbons kMessageClasses[] = {
    {u"ipm.note.", 0x30},
    {u"ipm.schedule.meeting.resp.", 0x38000},
    {u"ipm.schedule.meeting.", 0xC0},
    {u"ipm.appointment.", 0x100},
    {u"ipm.ole.class.", 0x100},
    {u"ipm.contact.", 0x200},
    {u"ipm.activity.", 0x400},
    {u"ipm.task", 0x800},
    {u"ipm.distlist.", 0x1000},
    {u"ipm.report.", 0x2000},
    {u"ipm.resend.", 0x4000},
    {u"ipm.post.rss.", 0x40000},
    {u"ipm.post.", 0x180000},
    {u"ipm.sharing.", 0x600000},
};

// The built-in id of a key-list object that is a tab or control; null otherwise.
IadxRibbonComponent* ComponentOf(TObject* object) {
    if (auto* tab = dynamic_cast<TadxRibbonTab*>(object))
        return tab;
    if (auto* control = dynamic_cast<TadxRibbonCustomControl*>(object))
        return control;
    return nullptr;
}

std::u16string MessageClassOf(IDispatch* context) {
    try {
        return dispGet(dispGet(context, "CurrentItem"), "MessageClass").AsWide();
    } catch (const Exception&) {
        // A window without an item (an explorer) has no message class to go by.
        return {};
    }
}

} // namespace

DISPID adxRibbonCallbackId(std::u16string_view name) {
    for (const Entry& entry : kTable)
        if (name == text::Wide(entry.Name))
            return entry.Id;
    return DISPID_UNKNOWN;
}

const char* adxRibbonCallbackName(DISPID id) {
    const Entry* entry = FindEntry(id);
    return entry ? entry->Name : nullptr;
}

HRESULT adxRibbonGetIDsOfNames(const char16_t* const* names, uint32_t count,
                               DISPID* dispIds) noexcept {
    if (!dispIds || (count > 0 && !names))
        return E_POINTER;
    for (uint32_t i = 0; i < count; ++i)
        dispIds[i] = DISPID_UNKNOWN;
    if (count == 0 || !names[0])
        return DISP_E_UNKNOWNNAME;
    DISPID id = adxRibbonCallbackId(names[0]);
    if (id == DISPID_UNKNOWN)
        return DISP_E_UNKNOWNNAME;
    dispIds[0] = id;
    return S_OK;
}

HRESULT adxRibbonInvoke(TadxCOMAddInModule* module, DISPID id, const DispParams* params,
                        Variant* result, uint32_t* argErr) noexcept {
    const Entry* entry = FindEntry(id);
    if (!entry)
        return DISP_E_MEMBERNOTFOUND;
    DispParams none;
    try {
        Variant answer = Dispatcher(module, *entry, params ? *params : none).Run();
        if (result && entry->Answer != Result::None)
            *result = std::move(answer);
        return S_OK;
    } catch (const EDispArgError& e) {
        if (argErr)
            *argErr = e.ArgIndex;
        return e.ErrorCode;
    } catch (const EDispError& e) {
        return e.ErrorCode;
    } catch (...) {
        return DISP_E_EXCEPTION;
    }
}

IadxRibbonComponent* GetRibbonControl(TadxCOMAddInModule& Module, const std::u16string& Id) {
    TStringList* keys = Module.KeyList.get();
    if (!keys)
        return nullptr;
    int index = keys->IndexOf(text::Narrow(Id));
    return index >= 0 ? ComponentOf(keys->Objects(index)) : nullptr;
}

uint32_t adxRibbonsOfMessageClass(std::u16string_view messageClass) {
    std::u16string lower = text::LowerCase(messageClass);
    for (const MessageClassRibbons& row : kMessageClasses)
        if (std::u16string_view(lower).substr(0, std::char_traits<char16_t>::length(row.Prefix)) ==
            row.Prefix)
            return row.Mask;
    return 0;
}

void CheckMsoControls(TadxCOMAddInModule& Module, const std::u16string& IdMso, IDispatch* Context,
                      IadxRibbonComponent*& Component) {
    TStringList* keys = Module.KeyList.get();
    if (!Context || !keys)
        return;
    int sharing = 0;
    for (int i = 0; i < keys->Count() && sharing < 2; ++i)
        if (IadxRibbonComponent* c = ComponentOf(keys->Objects(i)); c && c->GetIDMso() == IdMso)
            ++sharing;
    if (sharing < 2)
        return;
    ComPtr<IDispatch> window = ComQuery<IDispatch>(Context);
    if (!window)
        return;
    std::u16string messageClass = MessageClassOf(window.Get());
    if (messageClass.empty())
        return;
    uint32_t mask = adxRibbonsOfMessageClass(messageClass);
    if (mask == 0 || (Component->GetRibbons().Mask() & mask) != 0)
        return;
    for (int i = 0; i < keys->Count(); ++i) {
        IadxRibbonComponent* c = ComponentOf(keys->Objects(i));
        if (c && c->GetIDMso() == IdMso && (c->GetRibbons().Mask() & mask) != 0) {
            Component = c;
            return;
        }
    }
}
