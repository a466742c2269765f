// The command bars of one simulated host window (an Outlook explorer or
// inspector) or of a simulated application: the collection, its bars and
// their controls, reached late-bound as an Office host offers them.
//
// A new collection holds two built-in bars, "Menu Bar" (a menu bar) and
// "Standard" (a toolbar with a few built-in buttons). Add-ins add bars with
// Add and controls with a bar's Controls.Add; FindControl searches by type,
// id, tag and visibility, into pop-ups when asked. Buttons raise Click
// (_CommandBarButtonEvents), edit, drop-down and combo controls Change
// (_CommandBarComboBoxEvents). A deleted bar or control is stale: every
// call on it fails, as a host object whose item is gone does.
//
// Tests and scripts drive the collection as a user and a host would: a
// click, a click delivered to the sinks of another control (a host fires
// Click on every object of the same tag, so sinks must check it), a change
// of a list's text, the user deleting or moving a control or deleting a
// bar, a host restart dropping the temporary bars and controls, a failure
// injected into the next call of a member, and a log of property writes.
#pragma once

#include "platform/com/Com.h"
#include "platform/office/CommandBars.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class SimCommandBar;
class SimCommandBarControl;

// The face a button shows: its pixels (0x00BBGGRR, rows from the top) and
// how it got them ("picture", "picture+mask" or "pasted").
struct SimButtonFace {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    std::string Source;
    // The colour at x, y.
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
    // "WxH <source> #<checksum>", or empty for no face.
    std::string Describe() const;
};

// What every object of one collection shares: the write log and the
// injected failure.
struct SimCommandBarsState {
    // "<object>.<property> = <value>" for each property written, in order.
    std::vector<std::string> Writes;
    // The member whose next call fails (letter case ignored); empty: none.
    std::string FailingMember;
    // How many of the next PasteFace calls fail.
    int PasteFaceFailures = 0;
    // Raises when member is the failing one (once).
    void CheckFailure(std::u16string_view member);
};

// Late-bound base of the bars and controls: stale once deleted, failures
// injected by member name, and properties kept by name with logged writes.
class SimCommandBarObject : public DispatchObject<IDispatch, IConnectionPointContainer> {
public:
    HRESULT Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) override;
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override;

    // A stored property's value (empty when it has none).
    Variant Value(const std::string& name) const;
    // Every stored property, in the order first set.
    const std::vector<std::pair<std::string, Variant>>& Values() const noexcept { return values_; }
    // Sets a stored property without logging it (the host's own change).
    void SetValue(const std::string& name, Variant value);
    // Sinks advised on the object now.
    size_t SinkCount() const noexcept { return points_.SinkCount(); }
    // True once deleted: every member call fails.
    bool IsStale() const noexcept { return stale_; }
    // How the write log names the object.
    virtual std::string LogName() const = 0;

protected:
    explicit SimCommandBarObject(std::shared_ptr<SimCommandBarsState> state);
    // A read-write property kept by name, starting at initial.
    void Stored(const std::string& name, Variant initial);
    void MarkStale() noexcept { stale_ = true; }

    std::shared_ptr<SimCommandBarsState> state_;
    ConnectionPoints points_{this};

private:
    std::vector<std::pair<std::string, Variant>> values_;
    bool stale_ = false;
};

// One control: a button (type 1), edit (2), drop-down (3), combo box (4) or
// pop-up (10) with a bar of its own.
class SimCommandBarControl final : public SimCommandBarObject {
public:
    static ComPtr<SimCommandBarControl> Create(std::shared_ptr<SimCommandBarsState> state,
                                               SimCommandBar* parent, int type, int id,
                                               bool temporary);

    int Type() const noexcept { return type_; }
    int Id() const noexcept { return id_; }
    std::u16string Tag() const { return Value("Tag").AsWide(); }
    std::u16string Caption() const { return Value("Caption").AsWide(); }
    bool Temporary() const noexcept { return temporary_; }
    // The bar holding the control (nullptr once deleted).
    SimCommandBar* Parent() const noexcept { return parent_; }
    // The 1-based position in its bar (0 once deleted).
    int Index() const;
    // A pop-up's own bar (nullptr for other kinds).
    SimCommandBar* PopupBar() const noexcept { return popupBar_.Get(); }
    // The items of a list kind.
    const std::vector<std::u16string>& ListItems() const noexcept { return items_; }
    std::string LogName() const override;

    // The user clicks the button: Click on its sinks; returns CancelDefault.
    bool UserClick();
    // Click of this control delivered to the sinks advised on target.
    bool DeliverClickTo(SimCommandBarControl& target);
    // The user types text into a list kind: Text changes, Change is raised.
    void UserChange(const std::u16string& text);
    // Takes the control out of its bar (the user or the host deleting it).
    void Remove();
    // Replaces the items of a list kind (a copy made by the host).
    void SetListItems(std::vector<std::u16string> items) { items_ = std::move(items); }
    // The face of a button (empty until a picture or a paste gives it one).
    const SimButtonFace& Face() const noexcept { return face_; }
    // Gives a button a face (one the host kept from an earlier session).
    void SetFace(SimButtonFace face) { face_ = std::move(face); }
    // Sets the bar (nullptr: none); used by the bars when they move it.
    void SetParent(SimCommandBar* parent) noexcept { parent_ = parent; }

private:
    friend struct ::ComMaker;
    SimCommandBarControl(std::shared_ptr<SimCommandBarsState> state, SimCommandBar* parent,
                         int type, int id, bool temporary);
    void AddCommonMembers();
    void AddButtonMembers();
    void AddListMembers();
    void AddFaceMembers();
    // The face from the stored Picture, with the stored Mask's set pixels
    // in the button-face colour.
    void FaceFromPicture();
    void Move(const Variant& bar, const Variant& before);

    int type_;
    int id_;
    bool temporary_;
    SimCommandBar* parent_;
    ComPtr<SimCommandBar> popupBar_;
    std::vector<std::u16string> items_;
    SimButtonFace face_;
};

// One bar: a toolbar, a menu bar or a pop-up's menu.
class SimCommandBar final : public SimCommandBarObject {
public:
    // type: 0 a toolbar, 1 a menu bar, 2 a pop-up's menu.
    static ComPtr<SimCommandBar> Create(std::shared_ptr<SimCommandBarsState> state,
                                        std::u16string name, int type, bool builtIn,
                                        bool temporary);

    std::u16string Name() const { return name_; }
    bool BuiltIn() const noexcept { return builtIn_; }
    bool Temporary() const noexcept { return temporary_; }
    const std::vector<ComPtr<SimCommandBarControl>>& Controls() const noexcept { return controls_; }
    // The control at 1-based index (nullptr when outside).
    SimCommandBarControl* Control(int index) const;
    // Adds a control at 1-based position before (0: at the end); raises
    // when before is past Count + 1.
    SimCommandBarControl& AddControl(int type, int id, int before, bool temporary);
    // Inserts an existing control at 1-based position before (0: at the end).
    void Insert(ComPtr<SimCommandBarControl> control, int before);
    // Takes control out of the bar (returns it).
    ComPtr<SimCommandBarControl> Take(SimCommandBarControl* control);
    // Controls matching (type 0: any; id 0: any; tag empty: any),
    // depth first, into pop-ups when recursive.
    SimCommandBarControl* Find(int type, int id, const std::u16string* tag, bool visibleOnly,
                               bool recursive) const;
    // Copies the lasting controls of other (not temporary, not built in) to the end.
    void CopyLastingControls(const SimCommandBar& other);
    // Drops temporary controls, here and in pop-ups (a host restart).
    void DropTemporary();
    // Deletes the bar and everything on it (stale afterwards).
    void Discard();
    std::string LogName() const override;
    // Lines describing the bar and its controls, indented by depth.
    void Describe(std::vector<std::string>& lines, int depth) const;
    // Set by the collection: deleting the bar takes it out of there.
    std::function<void(SimCommandBar*)> OnDelete;

private:
    friend struct ::ComMaker;
    SimCommandBar(std::shared_ptr<SimCommandBarsState> state, std::u16string name, int type,
                  bool builtIn, bool temporary);
    Variant AddFromCall(DispCall& call);

    std::u16string name_;
    int type_;
    bool builtIn_;
    bool temporary_;
    std::vector<ComPtr<SimCommandBarControl>> controls_;
};

class SimulatedCommandBars final : public DispatchObject<CommandBars, IConnectionPointContainer> {
public:
    // A new collection with the built-in "Menu Bar" and "Standard".
    static ComPtr<SimulatedCommandBars> Create();

    HRESULT Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) override;
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override;

    // Raises OnUpdate on every advised sink; returns how many were called.
    size_t FireOnUpdate();
    // Every event IID a sink was advised on, in order (unadvised ones too).
    std::vector<GUID> AdvisedIids() const { return points_.AdvisedIids(); }
    // Sinks advised now, on the collection and on its controls.
    size_t SinkCount() const noexcept;

    // ---- what tests and scripts see and do ----

    const std::vector<ComPtr<SimCommandBar>>& Bars() const noexcept { return bars_; }
    // The bar of that name (exactly), or nullptr.
    SimCommandBar* Bar(const std::u16string& name) const;
    // Adds a bar as the host does.
    SimCommandBar& AddBar(const std::u16string& name, int position, bool temporary);
    // The first control with that tag in any bar (into pop-ups), or nullptr.
    SimCommandBarControl* FindByTag(const std::u16string& tag) const;
    // The user deletes a bar and everything on it.
    void UserDeleteBar(SimCommandBar& bar);
    // The user moves control to bar at 1-based position before (0: the end).
    void UserMove(SimCommandBarControl& control, SimCommandBar& bar, int before);
    // The host quits and starts again: temporary bars and controls are gone.
    void Restart();
    // The next call of member (on the collection, a bar or a control) fails.
    void FailNext(std::string member) { state_->FailingMember = std::move(member); }
    // The next `times` PasteFace calls of any button fail.
    void FailPasteFace(int times) { state_->PasteFaceFailures = times; }
    // The property writes so far; ClearWrites forgets them.
    const std::vector<std::string>& Writes() const noexcept { return state_->Writes; }
    void ClearWrites() { state_->Writes.clear(); }
    // Copies the bars and controls of other that are not temporary (the
    // custom ones; on built-in bars the add-ins' controls), as a host
    // gives a new window the lasting bars of the others.
    void CopyLasting(const SimulatedCommandBars& other);
    // The bars that are not built in, with their controls, one line each.
    std::vector<std::string> Describe() const;

private:
    friend struct ::ComMaker;
    SimulatedCommandBars();
    Variant FindControlCall(DispCall& call) const;
    void Forget(SimCommandBar* bar);

    std::shared_ptr<SimCommandBarsState> state_ = std::make_shared<SimCommandBarsState>();
    std::vector<ComPtr<SimCommandBar>> bars_;
    ConnectionPoints points_{this};
};

} // namespace sim
