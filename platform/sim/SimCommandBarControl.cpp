// A simulated command-bar control: its properties, moving and deleting it,
// and the user's clicks and changes raised on its sinks.
#include "platform/sim/SimCommandBars.h"

#include "platform/text/Text.h"

namespace sim {

namespace {

// Click and Change are DISPID 1 of their event interfaces.
constexpr DISPID kClickOrChange = 1;

} // namespace

ComPtr<SimCommandBarControl>
SimCommandBarControl::Create(std::shared_ptr<SimCommandBarsState> state, SimCommandBar* parent,
                             int type, int id, bool temporary) {
    return MakeComObject<SimCommandBarControl>(std::move(state), parent, type, id, temporary);
}

SimCommandBarControl::SimCommandBarControl(std::shared_ptr<SimCommandBarsState> state,
                                           SimCommandBar* parent, int type, int id, bool temporary)
    : SimCommandBarObject(std::move(state)), type_(type), id_(id), temporary_(temporary),
      parent_(parent) {
    AddInterfaceAlias<IDispatch>(IID_CommandBarControl);
    AddCommonMembers();
    if (type == 1) {
        AddInterfaceAlias<IDispatch>(IID__CommandBarButton);
        points_.Add(DIID__CommandBarButtonEvents);
        AddButtonMembers();
    } else if (type >= 2 && type <= 4) {
        AddInterfaceAlias<IDispatch>(IID__CommandBarComboBox);
        points_.Add(DIID__CommandBarComboBoxEvents);
        AddListMembers();
    } else if (type == 10) {
        AddInterfaceAlias<IDispatch>(IID_CommandBarPopup);
        popupBar_ = SimCommandBar::Create(state_, u"", 2, false, temporary);
        Members.Get("CommandBar",
                    [this] { return Variant(static_cast<IDispatch*>(popupBar_.Get())); });
        Members.Get("Controls", [this] { return dispGet(popupBar_, "Controls"); });
    }
}

void SimCommandBarControl::AddCommonMembers() {
    Members.Get("Type", [this] { return type_; });
    Members.Get("Id", [this] { return id_; });
    Members.Get("Index", [this] { return Index(); });
    Members.Get("BuiltIn", [this] { return id_ != 1; });
    Members.Get("Parent", [this] { return Variant(static_cast<IDispatch*>(parent_)); });
    Stored("BeginGroup", Variant(false));
    Stored("Caption", Variant(u""));
    Stored("DescriptionText", Variant(u""));
    Stored("Enabled", Variant(true));
    Stored("Height", Variant(22));
    Stored("HelpContextID", Variant(0));
    Stored("HelpFile", Variant(u""));
    Stored("Parameter", Variant(u""));
    Stored("Priority", Variant(0));
    Stored("Tag", Variant(u""));
    Stored("TooltipText", Variant(u""));
    Stored("Visible", Variant(true));
    Stored("Width", Variant(24));
    Stored("OnAction", Variant(u""));
    Members.Add("Move").Params({"Bar", "Before"}).Call([this](DispCall& call) {
        Move(call.Optional(0), call.Optional(1));
    });
    Members.Add("Delete").Params({"Temporary"}).Call([this] {
        state_->Writes.push_back(LogName() + ".Delete");
        Remove();
    });
}

void SimCommandBarControl::AddButtonMembers() {
    Stored("FaceId", Variant(0));
    Stored("ShortcutText", Variant(u""));
    Stored("State", Variant(0));
    Stored("Style", Variant(0));
    Stored("HyperlinkType", Variant(0));
    AddFaceMembers();
}

void SimCommandBarControl::AddListMembers() {
    Stored("DropDownLines", Variant(0));
    Stored("DropDownWidth", Variant(0));
    Stored("ListHeaderCount", Variant(-1));
    Stored("ListIndex", Variant(0));
    Stored("Style", Variant(0));
    Stored("Text", Variant(u""));
    Members.Get("ListCount", [this] { return static_cast<int32_t>(items_.size()); });
    Members.Add("List").Params({"Index"}).Get([this](DispCall& call) -> Variant {
        int index = call.Integer(0);
        if (index < 1 || index > static_cast<int>(items_.size()))
            throw EOleSysError("The list has no item " + std::to_string(index), E_INVALIDARG);
        return items_[static_cast<size_t>(index - 1)];
    });
    Members.Method("Clear", [this] {
        state_->Writes.push_back(LogName() + ".Clear");
        items_.clear();
    });
    Members.Add("AddItem").Params({"Text", "Index"}).Call([this](DispCall& call) {
        std::u16string item = call.Wide(0);
        state_->Writes.push_back(LogName() + ".AddItem '" + text::Narrow(item) + "'");
        items_.push_back(std::move(item));
    });
}

int SimCommandBarControl::Index() const {
    if (!parent_)
        return 0;
    const auto& controls = parent_->Controls();
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i].Get() == this)
            return static_cast<int>(i) + 1;
    return 0;
}

std::string SimCommandBarControl::LogName() const {
    std::string caption = text::Narrow(Caption());
    return (parent_ ? parent_->LogName() : std::string("?")) + "/" +
           (caption.empty() ? "#" + std::to_string(Index()) : caption);
}

void SimCommandBarControl::Move(const Variant& barArg, const Variant& beforeArg) {
    SimCommandBar* target = parent_;
    if (!barArg.IsMissing() && !barArg.IsEmptyOrNothing())
        target = dynamic_cast<SimCommandBar*>(barArg.AsDispatch().Get());
    if (!target || !parent_)
        throw EOleSysError("The control cannot be moved there", E_INVALIDARG);
    int before = beforeArg.IsMissing() || beforeArg.IsEmpty() ? 0 : beforeArg.AsInteger();
    int count = static_cast<int>(target->Controls().size());
    if (before < 0 || before > count + 1)
        throw EOleSysError("Invalid procedure call or argument", E_INVALIDARG);
    state_->Writes.push_back(LogName() + ".Move " + std::to_string(before));
    ComPtr<SimCommandBarControl> self = ComPtr<SimCommandBarControl>::Share(this);
    // Before counts the positions as they are before the move.
    int from = Index();
    bool sameBar = target == parent_;
    parent_->Take(this);
    if (sameBar && before > from)
        --before;
    target->Insert(self, before);
}

bool SimCommandBarControl::UserClick() {
    return DeliverClickTo(*this);
}

bool SimCommandBarControl::DeliverClickTo(SimCommandBarControl& target) {
    ComPtr<SimCommandBarControl> self = ComPtr<SimCommandBarControl>::Share(this);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DispArgs args{Variant(static_cast<IDispatch*>(this)), Variant::ByRefBool(&cancel)};
    target.points_.Fire(DIID__CommandBarButtonEvents, kClickOrChange, args.Params());
    return cancel != VARIANT_FALSE;
}

void SimCommandBarControl::UserChange(const std::u16string& text) {
    ComPtr<SimCommandBarControl> self = ComPtr<SimCommandBarControl>::Share(this);
    SetValue("Text", Variant(text));
    DispArgs args{Variant(static_cast<IDispatch*>(this))};
    points_.Fire(DIID__CommandBarComboBoxEvents, kClickOrChange, args.Params());
}

void SimCommandBarControl::Remove() {
    ComPtr<SimCommandBarControl> self = ComPtr<SimCommandBarControl>::Share(this);
    if (parent_)
        parent_->Take(this);
    MarkStale();
    if (popupBar_)
        popupBar_->Discard();
}

} // namespace sim
