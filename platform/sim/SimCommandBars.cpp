// The simulated command-bar collection, and what its bars and controls share:
// the write log, the injected failure and properties kept by name.
#include "platform/sim/SimCommandBars.h"

#include "platform/com/HResult.h"
#include "platform/text/Text.h"

namespace sim {

namespace {

Variant NoObject() {
    return Variant(static_cast<IDispatch*>(nullptr));
}

// A value as the write log shows it.
std::string LogValue(const Variant& value) {
    switch (value.BaseType()) {
    case VT_BOOL:
        return value.AsBool() ? "True" : "False";
    case VT_BSTR:
        return "'" + value.AsString() + "'";
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return value.IsEmptyOrNothing() ? "Nothing" : "<object>";
    default:
        try {
            return value.AsString();
        } catch (const Exception&) {
            return "<value>";
        }
    }
}

} // namespace

// ---- state ----

void SimCommandBarsState::CheckFailure(std::u16string_view member) {
    if (FailingMember.empty() || !text::SameText(text::Narrow(member), FailingMember))
        return;
    std::string name = FailingMember;
    FailingMember.clear();
    throw EOleSysError("The host failed " + name, E_FAIL);
}

// ---- SimCommandBarObject ----

SimCommandBarObject::SimCommandBarObject(std::shared_ptr<SimCommandBarsState> state)
    : state_(std::move(state)) {
    Members.SetSource(u"Office");
}

HRESULT SimCommandBarObject::Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags,
                                    DispParams* params, Variant* result, ExcepInfo* excepInfo,
                                    uint32_t* argErr) {
    ComPtr<IDispatch> self = ComPtr<IDispatch>::Share(this);
    if (stale_)
        return RPC_E_DISCONNECTED;
    if (const DispatchMember* member = Members.Find(dispId)) {
        try {
            state_->CheckFailure(member->Name());
        } catch (const EOleSysError& e) {
            return e.ErrorCode;
        }
    }
    return DispatchImpl<ComObject<IDispatch, IConnectionPointContainer>>::Invoke(
        dispId, riid, lcid, flags, params, result, excepInfo, argErr);
}

HRESULT SimCommandBarObject::FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) {
    return points_.FindConnectionPoint(iid, cp);
}

Variant SimCommandBarObject::Value(const std::string& name) const {
    for (const auto& [key, value] : values_)
        if (key == name)
            return value;
    return {};
}

void SimCommandBarObject::SetValue(const std::string& name, Variant value) {
    for (auto& [key, stored] : values_)
        if (key == name) {
            stored = std::move(value);
            return;
        }
    values_.emplace_back(name, std::move(value));
}

void SimCommandBarObject::Stored(const std::string& name, Variant initial) {
    SetValue(name, std::move(initial));
    Members.Property(
        name, [this, name] { return Value(name); },
        [this, name](const Variant& v) {
            Variant value = v;
            // By-reference arguments are stored as their value.
            if (value.Type() & VT_BYREF)
                value = Variant(value.AsWide());
            state_->Writes.push_back(LogName() + "." + name + " = " + LogValue(value));
            SetValue(name, value);
        });
}

// ---- the collection ----

ComPtr<SimulatedCommandBars> SimulatedCommandBars::Create() {
    return MakeComObject<SimulatedCommandBars>();
}

SimulatedCommandBars::SimulatedCommandBars() {
    Members.SetSource(u"Office");
    points_.Add(DIID__CommandBarsEvents);
    // Built-in bars: the host's own, with a few of its own controls.
    for (const char16_t* name : {u"Menu Bar", u"Standard"}) {
        bool menu = bars_.empty();
        ComPtr<SimCommandBar> bar = SimCommandBar::Create(state_, name, menu ? 1 : 0, true, false);
        bar->SetValue("Position", Variant(1));
        bar->OnDelete = [this](SimCommandBar* b) { Forget(b); };
        bars_.push_back(bar);
    }
    bars_[0]->AddControl(10, 30002, 0, false);
    for (int id : {2, 4, 19})
        bars_[1]->AddControl(1, id, 0, false);

    Members.Get("Count", [this] { return static_cast<int32_t>(bars_.size()); });
    Members.Add("Item", DISPID_VALUE).Params({"Index"}).Get([this](DispCall& call) -> Variant {
        call.ExpectCount(1);
        if (call[0].BaseType() == VT_BSTR) {
            if (SimCommandBar* bar = Bar(call.Wide(0)))
                return Variant(static_cast<IDispatch*>(bar));
        } else {
            int index = call.Integer(0);
            if (index >= 1 && index <= static_cast<int>(bars_.size()))
                return Variant(
                    static_cast<IDispatch*>(bars_[static_cast<size_t>(index - 1)].Get()));
        }
        throw EOleSysError("The collection holds no command bar \"" + call[0].AsString() + "\"",
                           DISP_E_BADINDEX);
    });
    Members.Add("FindControl")
        .Params({"Type", "Id", "Tag", "Visible"})
        .Call([this](DispCall& call) { return FindControlCall(call); });
    Members.Add("Add")
        .Params({"Name", "Position", "MenuBar", "Temporary"})
        .Call([this](DispCall& call) -> Variant {
            std::u16string name = call.Optional(0, Variant(u"")).AsWide();
            if (name.empty())
                name = u"Custom " + text::Wide(std::to_string(bars_.size() + 1));
            if (Bar(name))
                throw EOleSysError("A command bar named \"" + text::Narrow(name) + "\" exists",
                                   E_INVALIDARG);
            int position = call.Optional(1, Variant(1)).AsInteger();
            bool temporary = call.Optional(3, Variant(false)).AsBool();
            return Variant(static_cast<IDispatch*>(&AddBar(name, position, temporary)));
        });
}

HRESULT SimulatedCommandBars::Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags,
                                     DispParams* params, Variant* result, ExcepInfo* excepInfo,
                                     uint32_t* argErr) {
    if (const DispatchMember* member = Members.Find(dispId)) {
        try {
            state_->CheckFailure(member->Name());
        } catch (const EOleSysError& e) {
            return e.ErrorCode;
        }
    }
    return DispatchImpl<ComObject<CommandBars, IConnectionPointContainer>>::Invoke(
        dispId, riid, lcid, flags, params, result, excepInfo, argErr);
}

HRESULT SimulatedCommandBars::FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) {
    return points_.FindConnectionPoint(iid, cp);
}

size_t SimulatedCommandBars::FireOnUpdate() {
    DispArgs none;
    return points_.Fire(DIID__CommandBarsEvents, DISPID_CommandBarsOnUpdate, none.Params());
}

namespace {

void CountSinks(const SimCommandBar& bar, size_t& count);

void CountControlSinks(const SimCommandBarControl& control, size_t& count) {
    count += control.SinkCount();
    if (control.PopupBar())
        CountSinks(*control.PopupBar(), count);
}

void CountSinks(const SimCommandBar& bar, size_t& count) {
    for (const auto& control : bar.Controls())
        CountControlSinks(*control, count);
}

} // namespace

size_t SimulatedCommandBars::SinkCount() const noexcept {
    size_t count = points_.SinkCount();
    for (const auto& bar : bars_)
        CountSinks(*bar, count);
    return count;
}

SimCommandBar* SimulatedCommandBars::Bar(const std::u16string& name) const {
    for (const auto& bar : bars_)
        if (bar->Name() == name)
            return bar.Get();
    return nullptr;
}

SimCommandBar& SimulatedCommandBars::AddBar(const std::u16string& name, int position,
                                            bool temporary) {
    ComPtr<SimCommandBar> bar =
        SimCommandBar::Create(state_, name, position == 6 ? 1 : 0, false, temporary);
    bar->SetValue("Position", Variant(position));
    bar->OnDelete = [this](SimCommandBar* b) { Forget(b); };
    bars_.push_back(bar);
    return *bar;
}

Variant SimulatedCommandBars::FindControlCall(DispCall& call) const {
    int type = call.Has(0) ? call.Integer(0) : 0;
    int id = call.Has(1) ? call.Integer(1) : 0;
    std::u16string tag = call.Has(2) ? call.Wide(2) : u"";
    bool visibleOnly = call.Has(3) && call.Bool(3);
    for (const auto& bar : bars_)
        if (SimCommandBarControl* found =
                bar->Find(type, id, call.Has(2) ? &tag : nullptr, visibleOnly, true))
            return Variant(static_cast<IDispatch*>(found));
    return NoObject();
}

SimCommandBarControl* SimulatedCommandBars::FindByTag(const std::u16string& tag) const {
    for (const auto& bar : bars_)
        if (SimCommandBarControl* found = bar->Find(0, 0, &tag, false, true))
            return found;
    return nullptr;
}

void SimulatedCommandBars::Forget(SimCommandBar* bar) {
    for (auto it = bars_.begin(); it != bars_.end(); ++it)
        if (it->Get() == bar) {
            ComPtr<SimCommandBar> keep = *it;
            bars_.erase(it);
            keep->Discard();
            return;
        }
}

void SimulatedCommandBars::UserDeleteBar(SimCommandBar& bar) {
    Forget(&bar);
}

void SimulatedCommandBars::UserMove(SimCommandBarControl& control, SimCommandBar& bar, int before) {
    ComPtr<SimCommandBarControl> keep = ComPtr<SimCommandBarControl>::Share(&control);
    if (control.Parent())
        control.Parent()->Take(&control);
    bar.Insert(keep, before);
}

void SimulatedCommandBars::Restart() {
    std::vector<SimCommandBar*> temporary;
    for (const auto& bar : bars_)
        if (bar->Temporary())
            temporary.push_back(bar.Get());
    for (SimCommandBar* bar : temporary)
        Forget(bar);
    for (const auto& bar : bars_)
        bar->DropTemporary();
}

void SimulatedCommandBars::CopyLasting(const SimulatedCommandBars& other) {
    for (const auto& bar : other.bars_) {
        if (bar->Temporary())
            continue;
        SimCommandBar* target = Bar(bar->Name());
        if (!target) {
            target = &AddBar(bar->Name(), bar->Value("Position").AsInteger(), false);
            for (const auto& [name, value] : bar->Values())
                target->SetValue(name, value);
        }
        target->CopyLastingControls(*bar);
    }
}

std::vector<std::string> SimulatedCommandBars::Describe() const {
    std::vector<std::string> lines;
    for (const auto& bar : bars_)
        bar->Describe(lines, 0);
    return lines;
}

} // namespace sim
