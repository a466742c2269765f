// The simulated ribbon host: loading a ribbon, calling callbacks by name and
// the user's actions. What controls show is asked in RibbonRender.cpp.
#include "platform/sim/RibbonHost.h"

#include "platform/office/Ribbon.h"
#include "platform/sim/AddInCall.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace sim {

namespace {

std::string Quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

bool IsOneOf(const std::string& tag, std::initializer_list<const char*> tags) {
    return std::any_of(tags.begin(), tags.end(), [&](const char* t) { return tag == t; });
}

} // namespace

RibbonHost::RibbonHost(IUnknown* addIn, std::u16string ribbonId, ComPtr<IDispatch> context)
    : addIn_(ComPtr<IUnknown>::Share(addIn)), ribbonId_(std::move(ribbonId)),
      context_(std::move(context)) {}

void RibbonHost::Load() {
    std::string id = text::Narrow(ribbonId_);
    ComPtr<IRibbonExtensibility> extensibility = ComQuery<IRibbonExtensibility>(addIn_.Get());
    if (!extensibility)
        throw EHostFailure("The add-in does not answer IRibbonExtensibility", E_NOINTERFACE);
    BSTR xml;
    std::string escaped;
    HRESULT hr = ShieldedCall([&] { return extensibility->GetCustomUI(ribbonId_, &xml); }, escaped);
    if (!escaped.empty())
        throw EHostFailure("GetCustomUI(" + Quoted(id) + ") let a C++ exception out: " + escaped,
                           hr);
    if (FAILED(hr))
        throw EHostFailure("GetCustomUI(" + Quoted(id) + ") failed: " + SysErrorMessage(hr), hr);
    document_.reset();
    shown_.clear();
    xml_ = std::move(xml);
    if (xml_.empty())
        return;
    RibbonDocument document(xml_);
    // The schema describes the 2006 namespace only; later documents are read unchecked.
    if (validate_ && document.Namespace() == CustomUINamespace) {
        std::vector<std::string> problems = ValidateRibbonXml(xml_);
        if (!problems.empty())
            throw EHostFailure("The ribbon document for " + Quoted(id) +
                               " breaks the custom UI schema: " + problems.front());
    }
    document_.emplace(std::move(document));
    ribbonUI_ = SimulatedRibbonUI::Create();
    std::string onLoad = document_->Root().Attribute("onLoad");
    if (onLoad.empty())
        return;
    // Office shows the ribbon even when its onLoad callback fails.
    try {
        CallByName(onLoad, nullptr, {Variant(ribbonUI_)}, false);
    } catch (const EHostFailure& e) {
        Record(e.Message);
    }
}

const RibbonDocument& RibbonHost::Document() const {
    if (!document_)
        throw EHostFailure("The add-in has no ribbon document for " +
                           Quoted(text::Narrow(ribbonId_)));
    return *document_;
}

SimulatedRibbonUI& RibbonHost::RibbonUI() const {
    if (!ribbonUI_)
        throw EHostFailure("The ribbon for " + Quoted(text::Narrow(ribbonId_)) + " is not loaded");
    return *ribbonUI_;
}

const std::vector<std::string>& RibbonHost::Invalidations() const {
    static const std::vector<std::string> none;
    return ribbonUI_ ? ribbonUI_->Invalidations() : none;
}

void RibbonHost::SetContext(ComPtr<IDispatch> context) {
    // Another window: what was shown in the old one says nothing about it.
    context_ = std::move(context);
    shown_.clear();
}

void RibbonHost::ClearRecords() noexcept {
    calls_.clear();
    errors_.clear();
}

void RibbonHost::Record(const std::string& what) {
    errors_.push_back(what);
}

const RibbonElement& RibbonHost::Find(std::string_view controlId) const {
    const RibbonElement* element = Document().FindControl(controlId);
    if (!element)
        throw EHostFailure("The ribbon has no control " + Quoted(controlId));
    return *element;
}

const RibbonElement& RibbonHost::FindByIdOrLabel(std::string_view idOrLabel) {
    if (const RibbonElement* element = Document().FindControl(idOrLabel))
        return *element;
    std::u16string label = text::Wide(idOrLabel);
    for (const RibbonElement* element : Document().Elements()) {
        // A split button shows the label of its inner button, which is listed too.
        if (!IsOneOf(element->Tag, {"button", "toggleButton", "checkBox"}))
            continue;
        if (RenderElement(*element).Label == label)
            return *element;
    }
    throw EHostFailure("The ribbon has no control with the id or label " + Quoted(idOrLabel));
}

const RibbonElement& RibbonHost::ClickTarget(const RibbonElement& element) const {
    if (element.Tag == "splitButton") {
        for (const auto& child : element.Children) {
            if (IsOneOf(child->Tag, {"button", "toggleButton"}))
                return *child;
        }
        throw EHostFailure("The split button " + Quoted(element.Id()) + " has no inner button");
    }
    if (!IsOneOf(element.Tag, {"button", "toggleButton", "checkBox"}))
        throw EHostFailure("A " + element.Tag + " cannot be clicked: " + Quoted(element.Id()));
    return element;
}

// A user reaches a control only when it and every element around it up to
// its tab are shown, and none of them is disabled.
void RibbonHost::ExpectUsable(const RibbonElement& element) {
    for (const RibbonElement* e = &element; e && e->Parent; e = e->Parent) {
        RibbonControlState state = RenderElement(*e);
        if (!state.Visible)
            throw EHostFailure("The " + e->Tag + " " + Quoted(e->Id()) + " is not visible");
        if (!state.Enabled)
            throw EHostFailure("The " + e->Tag + " " + Quoted(e->Id()) + " is disabled");
        if (e->Tag == "tab")
            break;
    }
}

ComPtr<SimulatedRibbonControl> RibbonHost::ControlFor(const RibbonElement& element) const {
    return SimulatedRibbonControl::Create(text::Wide(element.Id()),
                                          text::Wide(element.Attribute("tag")), context_);
}

Variant RibbonHost::CallFor(const RibbonElement& element, const std::string& attribute,
                            std::vector<Variant> arguments, bool wantResult) {
    std::string name = element.Attribute(attribute);
    if (name.empty())
        throw EHostFailure("The " + element.Tag + " " + Quoted(element.Id()) + " names no " +
                           attribute + " callback");
    return CallByName(name, &element, std::move(arguments), wantResult);
}

Variant RibbonHost::CallByName(const std::string& name, const RibbonElement* element,
                               std::vector<Variant> arguments, bool wantResult) {
    RibbonCallRecord record{name, element ? element->Id() : std::string(), S_OK};
    std::string what = name + (element ? " for " + Quoted(record.ControlId) : std::string());
    ComPtr<IDispatch> dispatch = ComQuery<IDispatch>(addIn_.Get());
    if (!dispatch)
        throw EHostFailure("The add-in does not answer IDispatch", E_NOINTERFACE);

    std::u16string wide = text::Wide(name);
    const char16_t* names[] = {wide.c_str()};
    DISPID id = DISPID_UNKNOWN;
    std::string escaped;
    record.Result = ShieldedCall(
        [&] { return dispatch->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id); },
        escaped);
    if (!escaped.empty()) {
        calls_.push_back(record);
        throw EHostFailure("GetIDsOfNames(" + Quoted(name) +
                               ") let a C++ exception out: " + escaped,
                           record.Result);
    }
    if (FAILED(record.Result)) {
        calls_.push_back(record);
        throw EHostFailure("The add-in has no callback " + Quoted(name) + ": " +
                               SysErrorMessage(record.Result),
                           record.Result);
    }

    if (element)
        arguments.insert(arguments.begin(), Variant(ControlFor(*element)));
    DispArgs args(std::move(arguments));
    Variant result;
    ExcepInfo info;
    uint32_t argErr = 0;
    record.Result = ShieldedCall(
        [&] {
            return dispatch->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                    &args.Params(), wantResult ? &result : nullptr, &info, &argErr);
        },
        escaped);
    calls_.push_back(record);
    if (!escaped.empty())
        throw EHostFailure(what + " let a C++ exception out: " + escaped, record.Result);
    if (FAILED(record.Result)) {
        bool reported = record.Result == DISP_E_EXCEPTION;
        std::string reason = reported && !info.bstrDescription.empty()
                                 ? text::Narrow(info.bstrDescription)
                                 : SysErrorMessage(record.Result);
        throw EHostFailure(what + " failed: " + reason,
                           reported && FAILED(info.scode) ? info.scode : record.Result);
    }
    return result;
}

Variant RibbonHost::Invoke(const std::string& name, std::string_view controlId,
                           std::vector<Variant> arguments, bool wantResult) {
    const RibbonElement* element = controlId.empty() ? nullptr : &Find(controlId);
    return CallByName(name, element, std::move(arguments), wantResult);
}

void RibbonHost::Click(std::string_view idOrLabel) {
    const RibbonElement& target = ClickTarget(FindByIdOrLabel(idOrLabel));
    ExpectUsable(target);
    if (!target.Has("onAction"))
        throw EHostFailure("The " + target.Tag + " " + Quoted(target.Id()) +
                           " names no onAction callback");
    if (target.Tag == "button") {
        CallFor(target, "onAction", {}, false);
        return;
    }
    // A toggle button or check box flips what it shows and tells the add-in.
    bool pressed = !RenderElement(target).Pressed;
    CallFor(target, "onAction", {Variant(pressed)}, false);
    auto shown = shown_.find(&target);
    if (shown != shown_.end())
        shown->second.Pressed = pressed;
}

void RibbonHost::Select(std::string_view controlId, int32_t index) {
    const RibbonElement& element = Find(controlId);
    if (!IsOneOf(element.Tag, {"dropDown", "gallery"}))
        throw EHostFailure("A " + element.Tag + " has no items to select: " + Quoted(controlId));
    ExpectUsable(element);
    std::vector<RibbonItemState> items = RenderItems(controlId);
    if (index < 0 || static_cast<size_t>(index) >= items.size())
        throw EHostFailure("The " + element.Tag + " " + Quoted(controlId) + " has no item " +
                           std::to_string(index));
    CallFor(element, "onAction", {Variant(items[index].Id), Variant(index)}, false);
}

void RibbonHost::ChangeText(std::string_view controlId, const std::u16string& text) {
    const RibbonElement& element = Find(controlId);
    if (!IsOneOf(element.Tag, {"editBox", "comboBox"}))
        throw EHostFailure("A " + element.Tag + " takes no text: " + Quoted(controlId));
    ExpectUsable(element);
    CallFor(element, "onChange", {Variant(text)}, false);
    auto shown = shown_.find(&element);
    if (shown != shown_.end())
        shown->second.Text = text;
}

bool RibbonHost::ExecuteCommand(std::string_view idMso, std::optional<bool> pressed) {
    const RibbonElement* command = nullptr;
    for (const RibbonElement* element : Document().Elements()) {
        if (element->Tag == "command" && element->Attribute("idMso") == idMso) {
            command = element;
            break;
        }
    }
    if (!command)
        throw EHostFailure("The ribbon does not repurpose the command " + Quoted(idMso));
    VARIANT_BOOL cancel = VARIANT_FALSE;
    std::vector<Variant> arguments;
    if (pressed)
        arguments.emplace_back(*pressed);
    arguments.push_back(Variant::ByRefBool(&cancel));
    CallFor(*command, "onAction", std::move(arguments), false);
    return cancel != VARIANT_FALSE;
}

void RibbonHost::OpenDynamicMenu(std::string_view controlId) {
    const RibbonElement& element = Find(controlId);
    if (element.Tag != "dynamicMenu")
        throw EHostFailure("A " + element.Tag + " is not a dynamic menu: " + Quoted(controlId));
    ExpectUsable(element);
    std::u16string content = CallFor(element, "getContent", {}, true).AsWide();
    document_->SetDynamicContent(controlId, content);
    // The menu's old controls are gone; forget what they showed.
    const std::vector<const RibbonElement*>& alive = document_->Elements();
    for (auto it = shown_.begin(); it != shown_.end();) {
        if (std::find(alive.begin(), alive.end(), it->first) == alive.end())
            it = shown_.erase(it);
        else
            ++it;
    }
}

ComPtr<IDispatch> RibbonHost::LoadImage(const std::string& imageName) {
    std::string loadImage = Document().Root().Attribute("loadImage");
    if (loadImage.empty())
        throw EHostFailure("The ribbon names no loadImage callback for the image " +
                           Quoted(imageName));
    return CallByName(loadImage, nullptr, {Variant(imageName)}, true).AsDispatch();
}

} // namespace sim
