// The dispatch of the ribbon callbacks: one row of RibbonCallbackTable.h
// per call, its arguments read by the platform's dispatch-parameter reader.
#include "framework/ribbon/RibbonCallbacks.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonControl.h"
#include "framework/ribbon/RibbonImages.h"
#include "framework/ribbon/RibbonTab.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/DispatchTable.h"
#include "platform/com/LateBound.h"
#include "platform/office/Ribbon.h"
#include "platform/text/Text.h"

#include <utility>

namespace {

using W = TadxCallbackWork;

// An interface argument queried for I: a value that holds no object is the
// argument's type mismatch, no object or one of another kind the callback's
// failure.
template <class I> ComPtr<I> ObjectArgument(const DispCall& call, size_t i) {
    ComPtr<IDispatch> object = call.Dispatch(i);
    if (!object)
        throw EOleSysError("The callback was passed no object", E_POINTER);
    ComPtr<I> typed = ComQuery<I>(object.Get());
    if (!typed)
        throw EOleSysError("The object passed is not of the callback's kind", E_NOINTERFACE);
    return typed;
}

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

// The answer converted to what the callback returns.
Variant Packed(const TadxRibbonCallback& row, const Variant& value) {
    switch (row.Answer) {
    case TadxCallbackAnswer::Bool:
        return Variant(value.AsBool());
    case TadxCallbackAnswer::String:
        return Variant(value.AsWide());
    case TadxCallbackAnswer::Integer:
        return Variant(value.AsInteger());
    case TadxCallbackAnswer::Picture:
        return Variant(value.AsDispatch());
    default:
        return value;
    }
}

// A watch of a tab or control that a handler of the add-in may free: a
// control's own; a tab goes only with its module.
rtl::TLifeWatch WatchOf(IadxRibbonComponent& component, const rtl::TLifeWatch& module) {
    if (auto* control = dynamic_cast<TadxRibbonCustomControl*>(&component))
        return control->Liveness().Watch();
    return module;
}

// One call of one callback row, its arguments read by the platform's reader.
class Dispatcher {
public:
    Dispatcher(TadxModuleServices* module, const TadxRibbonCallback& row, DispParams* params)
        : module_(module), row_(row), call_(params, DISPATCH_METHOD, 0) {
        call_.ExpectCount(adxCallbackArgCount(row.Args));
        if (module)
            connected_ = module->Liveness().Watch();
    }

    Variant Run() {
        switch (row_.Work) {
        case W::RibbonLoaded:
            return RibbonLoaded();
        case W::LoadImage:
            return LoadImage();
        default:
            break;
        }
        ComPtr<IRibbonControl> control = ObjectArgument<IRibbonControl>(call_, 0);
        switch (row_.Work) {
        case W::Action:
            return Action(*control);
        case W::Repurposed:
            return Repurposed();
        case W::Picture:
            return Picture(*control);
        default:
            return Property(*control);
        }
    }

private:
    IadxRibbonComponent* Find(const std::u16string& id) const {
        return module_ && connected_ ? GetRibbonControl(*module_, row_.Strip ? Stripped(id) : id)
                                     : nullptr;
    }

    Variant RibbonLoaded() {
        ComPtr<IRibbonUI> ribbon = ObjectArgument<IRibbonUI>(call_, 0);
        if (!module_)
            return {};
        module_->RibbonUI = ribbon;
        // Not reported: an exception is the callback's failure.
        rtl::FireSurvives(module_->Liveness(), module_->OnRibbonLoaded, module_, ribbon.Get());
        return {};
    }

    Variant LoadImage() {
        IadxRibbonComponent* component = Find(call_.Wide(0));
        if (!component)
            return row_.NotFound();
        return Variant(adxGetImage(*component, *module_));
    }

    // What a property or picture callback is about: the tab or control found
    // by id (for the rows that follow Outlook's rule perhaps another one of
    // the same built-in id), the window it is shown in, the item index, and
    // a watch of the component, which the add-in's handlers may free.
    struct Subject {
        IadxRibbonComponent* Component = nullptr;
        ComPtr<IDispatch> Context;
        int32_t Index = -1;
        rtl::TLifeWatch Alive;
    };

    Subject SubjectOf(IRibbonControl& control) const {
        Subject subject;
        subject.Index = row_.Args == TadxCallbackArgs::ControlIndex ? call_.Integer(1) : -1;
        subject.Context = ContextOf(control);
        std::u16string id = IdOf(control);
        subject.Component = Find(id);
        if (!subject.Component)
            return subject;
        if (row_.MsoRule && module_->HostType == ohaOutlook && subject.Component->GetIDMso() == id)
            CheckMsoControls(*module_, id, subject.Context.Get(), subject.Component);
        subject.Alive = WatchOf(*subject.Component, connected_);
        return subject;
    }
    // False once a handler freed the component or turned the add-in off.
    bool Lives(const Subject& subject) const { return subject.Alive && connected_; }
    // Offers value to the component's handler (OnPropertyChanging and the like).
    void Offer(Subject& subject, Variant& value) const {
        subject.Component->DoChangeProperty(static_cast<TadxRibbonControlPropertyType>(row_.Kind),
                                            value, subject.Context.Get(), subject.Index);
    }

    Variant Property(IRibbonControl& control) {
        Subject subject = SubjectOf(control);
        if (!subject.Component)
            return row_.NotFound();
        Variant value = row_.Ask(*subject.Component, subject.Index);
        // Asking a dynamic menu for its content runs its OnCreate, which may
        // have freed the menu or turned the add-in off.
        if (!Lives(subject))
            return row_.NotFound();
        Offer(subject, value);
        return Packed(row_, value);
    }

    // The handler may answer with a picture of its own; else the glyph's or
    // the image list's. It may also have freed its control or turned the
    // add-in off: a control gone answers as unknown.
    Variant Picture(IRibbonControl& control) {
        Subject subject = SubjectOf(control);
        if (!subject.Component)
            return row_.NotFound();
        Variant value;
        Offer(subject, value);
        if (value.BaseType() == VT_DISPATCH || value.BaseType() == VT_UNKNOWN)
            if (ComPtr<IUnknown> unknown = value.AsUnknown())
                return Variant(value.AsDispatch());
        if (!Lives(subject))
            return row_.NotFound();
        if (row_.Args == TadxCallbackArgs::ControlIndex)
            return Variant(adxGetItemImage(*subject.Component, subject.Index, *module_));
        return Variant(adxGetImage(*subject.Component, *module_));
    }

    Variant Action(IRibbonControl& control) {
        TadxRibbonActionArguments action;
        action.RibbonControl = &control;
        switch (row_.Args) {
        case TadxCallbackArgs::ControlPressed:
            action.Pressed = call_.Bool(1);
            break;
        case TadxCallbackArgs::ControlSelection:
            action.SelectedId = call_.Wide(1);
            action.SelectedIndex = call_.Integer(2);
            break;
        case TadxCallbackArgs::ControlText:
            action.Text = call_.Wide(1);
            break;
        default:
            break;
        }
        if (IadxRibbonComponent* component = Find(IdOf(control)))
            component->DoAction(action);
        return {};
    }

    // Never named by the document: the cancel flag goes back as it came, and
    // only through a reference the caller passed.
    Variant Repurposed() {
        size_t at = row_.Args == TadxCallbackArgs::ControlPressedCancel ? 2 : 1;
        if (at == 2)
            call_.Bool(1);
        bool cancel = call_.Bool(at);
        Variant& passed = call_[at];
        if (passed.IsByRef())
            passed.SetValue(Variant(cancel));
        return {};
    }

    TadxModuleServices* module_;
    // Dead once a handler turned the add-in off and so freed module_.
    rtl::TLifeWatch connected_;
    const TadxRibbonCallback& row_;
    DispCall call_;
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
    const TadxRibbonCallback* row = adxFindRibbonCallback(name);
    return row ? row->Id : DISPID_UNKNOWN;
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

HRESULT adxRibbonInvoke(TadxModuleServices* module, DISPID id, DispParams* params, Variant* result,
                        uint32_t* argErr) noexcept {
    const TadxRibbonCallback* row = adxFindRibbonCallback(id);
    if (!row)
        return DISP_E_MEMBERNOTFOUND;
    try {
        Variant answer = Dispatcher(module, *row, params).Run();
        if (result && row->Answer != TadxCallbackAnswer::None)
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

IadxRibbonComponent* GetRibbonControl(TadxModuleServices& Module, const std::u16string& Id) {
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

void CheckMsoControls(TadxModuleServices& Module, const std::u16string& IdMso, IDispatch* Context,
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
