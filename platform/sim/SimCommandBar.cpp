// A simulated command bar and the Controls collection it hands out.
#include "platform/sim/SimCommandBars.h"

#include "platform/text/Text.h"

namespace sim {

namespace {

// A bar's Controls: Count, Item and Add over the bar's list.
class SimBarControls final : public SimCommandBarObject {
public:
    static ComPtr<SimBarControls> Create(std::shared_ptr<SimCommandBarsState> state,
                                         SimCommandBar* bar) {
        return MakeComObject<SimBarControls>(std::move(state), bar);
    }
    std::string LogName() const override { return bar_->LogName() + ".Controls"; }

private:
    friend struct ::ComMaker;
    SimBarControls(std::shared_ptr<SimCommandBarsState> state, SimCommandBar* bar)
        : SimCommandBarObject(std::move(state)), bar_(ComPtr<SimCommandBar>::Share(bar)) {
        Members.Get("Count", [this] { return static_cast<int32_t>(bar_->Controls().size()); });
        Members.Add("Item", DISPID_VALUE).Params({"Index"}).Get([this](DispCall& call) -> Variant {
            if (SimCommandBarControl* control = bar_->Control(call.Integer(0)))
                return Variant(static_cast<IDispatch*>(control));
            throw EOleSysError("The bar holds no control " + call[0].AsString(), DISP_E_BADINDEX);
        });
        Members.Add("Add")
            .Params({"Type", "Id", "Parameter", "Before", "Temporary"})
            .Call([this](DispCall& call) -> Variant {
                int type = call.Has(0) ? call.Integer(0) : 0;
                int id = call.Has(1) ? call.Integer(1) : 1;
                int before = call.Has(3) ? call.Integer(3) : 0;
                bool temporary = call.Has(4) && call.Bool(4);
                SimCommandBarControl& control = bar_->AddControl(type, id, before, temporary);
                if (call.Has(2))
                    control.SetValue("Parameter", Variant(call.Wide(2)));
                return Variant(static_cast<IDispatch*>(&control));
            });
    }

    ComPtr<SimCommandBar> bar_;
};

const char* PositionName(int position) {
    static const char* const names[] = {"left",     "top",   "right",  "bottom",
                                        "floating", "popup", "menubar"};
    return position >= 0 && position <= 6 ? names[position] : "?";
}

} // namespace

ComPtr<SimCommandBar> SimCommandBar::Create(std::shared_ptr<SimCommandBarsState> state,
                                            std::u16string name, int type, bool builtIn,
                                            bool temporary) {
    return MakeComObject<SimCommandBar>(std::move(state), std::move(name), type, builtIn,
                                        temporary);
}

SimCommandBar::SimCommandBar(std::shared_ptr<SimCommandBarsState> state, std::u16string name,
                             int type, bool builtIn, bool temporary)
    : SimCommandBarObject(std::move(state)), name_(std::move(name)), type_(type), builtIn_(builtIn),
      temporary_(temporary) {
    AddInterfaceAlias<IDispatch>(IID_CommandBar);
    Members.Get("Name", [this] { return name_; });
    Members.Get("BuiltIn", [this] { return builtIn_; });
    Members.Get("Type", [this] { return type_; });
    Stored("NameLocal", Variant(name_));
    Stored("Enabled", Variant(true));
    // A new bar is hidden until the add-in shows it; the host's own are shown.
    Stored("Visible", Variant(builtIn));
    Stored("Position", Variant(1));
    Stored("Protection", Variant(0));
    Stored("Left", Variant(0));
    Stored("Top", Variant(0));
    Stored("RowIndex", Variant(1));
    Members.Get("Controls", [this] {
        ComPtr<SimBarControls> controls = SimBarControls::Create(state_, this);
        return Variant(static_cast<IDispatch*>(controls.Get()));
    });
    Members.Method("Delete", [this] {
        if (builtIn_)
            throw EOleSysError("A built-in command bar cannot be deleted", E_FAIL);
        state_->Writes.push_back(LogName() + ".Delete");
        if (OnDelete)
            OnDelete(this);
        else
            Discard();
    });
    Members.Add("FindControl")
        .Params({"Type", "Id", "Tag", "Visible", "Recursive"})
        .Call([this](DispCall& call) {
            int type = call.Has(0) ? call.Integer(0) : 0;
            int id = call.Has(1) ? call.Integer(1) : 0;
            std::u16string tag = call.Has(2) ? call.Wide(2) : u"";
            SimCommandBarControl* found =
                Find(type, id, call.Has(2) ? &tag : nullptr, call.Has(3) && call.Bool(3),
                     call.Has(4) && call.Bool(4));
            return Variant(static_cast<IDispatch*>(found));
        });
}

SimCommandBarControl* SimCommandBar::Control(int index) const {
    if (index < 1 || index > static_cast<int>(controls_.size()))
        return nullptr;
    return controls_[static_cast<size_t>(index - 1)].Get();
}

SimCommandBarControl& SimCommandBar::AddControl(int type, int id, int before, bool temporary) {
    if (before < 0 || before > static_cast<int>(controls_.size()) + 1)
        throw EOleSysError("Invalid procedure call or argument", E_INVALIDARG);
    if (type != 0 && type != 1 && type != 2 && type != 3 && type != 4 && type != 10)
        throw EOleSysError("The host has no control type " + std::to_string(type), E_INVALIDARG);
    // A control given by id alone is a copy of that built-in control: a button here.
    if (type == 0)
        type = 1;
    ComPtr<SimCommandBarControl> control =
        SimCommandBarControl::Create(state_, this, type, id, temporary);
    if (id != 1)
        control->SetValue("Caption", Variant(u"Built-in " + text::Wide(std::to_string(id))));
    Insert(control, before);
    return *control;
}

void SimCommandBar::Insert(ComPtr<SimCommandBarControl> control, int before) {
    control->SetParent(this);
    if (before < 1 || before > static_cast<int>(controls_.size()))
        controls_.push_back(std::move(control));
    else
        controls_.insert(controls_.begin() + (before - 1), std::move(control));
}

ComPtr<SimCommandBarControl> SimCommandBar::Take(SimCommandBarControl* control) {
    for (auto it = controls_.begin(); it != controls_.end(); ++it)
        if (it->Get() == control) {
            ComPtr<SimCommandBarControl> taken = *it;
            controls_.erase(it);
            taken->SetParent(nullptr);
            return taken;
        }
    return nullptr;
}

SimCommandBarControl* SimCommandBar::Find(int type, int id, const std::u16string* tag,
                                          bool visibleOnly, bool recursive) const {
    for (const auto& control : controls_) {
        if ((type == 0 || control->Type() == type) && (id == 0 || control->Id() == id) &&
            (!tag || control->Tag() == *tag) &&
            (!visibleOnly || control->Value("Visible").AsBool()))
            return control.Get();
        if (recursive && control->PopupBar())
            if (SimCommandBarControl* found =
                    control->PopupBar()->Find(type, id, tag, visibleOnly, true))
                return found;
    }
    return nullptr;
}

void SimCommandBar::CopyLastingControls(const SimCommandBar& other) {
    for (const auto& control : other.controls_) {
        if (control->Temporary() || control->Id() != 1)
            continue;
        SimCommandBarControl& copy = AddControl(control->Type(), 1, 0, false);
        for (const auto& [name, value] : control->Values())
            copy.SetValue(name, value);
        copy.SetListItems(control->ListItems());
        if (control->PopupBar())
            copy.PopupBar()->CopyLastingControls(*control->PopupBar());
    }
}

void SimCommandBar::DropTemporary() {
    std::vector<SimCommandBarControl*> temporary;
    for (const auto& control : controls_)
        if (control->Temporary())
            temporary.push_back(control.Get());
        else if (control->PopupBar())
            control->PopupBar()->DropTemporary();
    for (SimCommandBarControl* control : temporary)
        control->Remove();
}

void SimCommandBar::Discard() {
    MarkStale();
    while (!controls_.empty())
        controls_.back()->Remove();
}

std::string SimCommandBar::LogName() const {
    return text::Narrow(name_);
}

void SimCommandBar::Describe(std::vector<std::string>& lines, int depth) const {
    std::string indent(static_cast<size_t>(depth) * 2, ' ');
    if (depth == 0) {
        // The host's own bars are shown only for the controls added to them.
        bool custom = !builtIn_;
        for (const auto& control : controls_)
            custom = custom || control->Id() == 1;
        if (!custom)
            return;
        std::string line = "bar '" + text::Narrow(name_) + "'";
        if (builtIn_)
            line += " built-in";
        else
            line += std::string(" ") + PositionName(Value("Position").AsInteger()) +
                    (Value("Visible").AsBool() ? " visible" : " hidden") +
                    (Value("Enabled").AsBool() ? "" : " disabled") +
                    (temporary_ ? " temporary" : "");
        lines.push_back(line);
    }
    for (const auto& control : controls_) {
        if (depth == 0 && builtIn_ && control->Id() != 1)
            continue;
        static const char* const kinds[] = {"control", "button", "edit", "dropdown", "combo"};
        int type = control->Type();
        std::string line = indent + "  " + std::to_string(control->Index()) + " " +
                           (type == 10 ? "popup" : kinds[type >= 0 && type <= 4 ? type : 0]) +
                           " '" + text::Narrow(control->Caption()) + "'";
        if (!control->Value("Enabled").AsBool())
            line += " disabled";
        if (!control->Value("Visible").AsBool())
            line += " hidden";
        if (std::string face = control->Face().Describe(); !face.empty())
            line += " face " + face;
        if (type >= 2 && type <= 4) {
            line += " text '" + control->Value("Text").AsString() + "'";
            std::string items;
            for (const std::u16string& item : control->ListItems())
                items += (items.empty() ? "" : "|") + text::Narrow(item);
            if (!items.empty())
                line += " items " + items;
        }
        lines.push_back(line);
        if (control->PopupBar())
            control->PopupBar()->Describe(lines, depth + 1);
    }
}

} // namespace sim
