// TadxCommandBarControl: one item of a command bar (a button, an edit box, a
// drop-down list, a combo box, a pop-up menu, a built-in host control placed
// by its id, or an advanced control), and TadxCommandBarControls, the
// collection of a bar's or a pop-up's controls. A control keeps its wanted
// properties while unconnected; once the module binds it to its host control
// it pushes them there once per design change (recorded under the add-in's
// key by its tag), receives the host's events through an event sink, and
// deletes its host control at uninstallation. This file holds what every
// kind shares; the kinds are in CommandBarControlKinds.h.
#pragma once

#include "framework/commandbars/CommandBarTypes.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Lifetime.h"

#include <cstdint>
#include <string>
#include <vector>

class TadxModuleServices;
class TadxCustomCommandBar;
class TadxCommandBarButton;
class TadxCommandBarEdit;
class TadxCommandBarDropDownList;
class TadxCommandBarComboBox;
class TadxCommandBarPopup;
class TadxCommandBarAdvancedControl;
class TadxEventSink;

// The host object queried for iid, as IDispatch; nil for nil. A host object
// without the interface raises EOleSysError E_NOINTERFACE.
ComPtr<IDispatch> adxQueryHostInterface(IUnknown* Object, const GUID& Iid);

class TadxCommandBarControl : public TCollectionItem {
public:
    // A built-in control placed by id (kind 5) in Collection, with a new tag.
    explicit TadxCommandBarControl(TCollection* Collection);
    ~TadxCommandBarControl() override;

    // ---- what the module and the bars use ----

    // The kind code (0..6).
    virtual TadxControlKind GetType() const { return adxKindControl; }
    // Binds the host control (nil: unbinds).
    virtual void SetInterface(const ComPtr<IDispatch>& Control);
    // Pushes the properties when the design changed (or always when
    // temporary or in Access); returns whether it pushed.
    virtual bool SetProperties();
    // The kind's event (a button's OnClick, a list's OnChange).
    virtual void DoAction() {}
    // Deletes the host control (Temporary as the host takes it) and unbinds.
    virtual void Delete(bool Temporary);
    // Copies another control's properties.
    void Assign(TPersistent* Source) override;
    // Moves the control within its collection; while the bar is being
    // designed every control of the collection counts a change, as each
    // may have a new position to push.
    void SetIndex(int index) override;
    // The bound host control, nil while unbound.
    IDispatch* HostControl() const noexcept { return control_.Get(); }
    // The bar owning the control (also for controls nested in pop-ups).
    TadxCustomCommandBar* Bar() const;
    // The module of the bar, or nullptr.
    TadxModuleServices* Module() const;
    // The pop-up whose controls hold this one, or nullptr.
    TadxCommandBarPopup* ParentPopup() const;
    // The host control's Index; 1 while unbound.
    int32_t GetOfficeIndex();
    // The host control's Parent bar; nil while unbound.
    ComPtr<IDispatch> GetParent();
    // The control's end: the event sink asks it after running DoAction.
    const rtl::TLiveness& Liveness() const noexcept { return liveness_; }

    // ---- properties: the host's value while bound, else the stored one ----

    // Free for the add-in's own code.
    int32_t Tag = 0;
    bool GetBeginGroup();
    void SetBeginGroup(bool Value);
    virtual std::u16string GetCaption();
    virtual void SetCaption(const std::u16string& Value);
    std::u16string GetDescriptionText();
    void SetDescriptionText(const std::u16string& Value);
    bool GetEnabled();
    void SetEnabled(bool Value);
    int32_t GetHeight();
    void SetHeight(int32_t Value);
    virtual int32_t GetHelpContextID();
    virtual void SetHelpContextID(int32_t Value);
    virtual std::u16string GetHelpFile();
    virtual void SetHelpFile(const std::u16string& Value);
    std::u16string GetParameter();
    void SetParameter(const std::u16string& Value);
    int32_t GetPriority();
    void SetPriority(int32_t Value);
    std::u16string GetOfficeTag();
    void SetOfficeTag(const std::u16string& Value);
    virtual std::u16string GetTooltipText();
    virtual void SetTooltipText(const std::u16string& Value);
    bool GetVisible();
    void SetVisible(bool Value);
    int32_t GetWidth();
    void SetWidth(int32_t Value);
    bool Temporary() const noexcept { return temporary_; }
    void SetTemporary(bool Value);
    int32_t AfterID() const noexcept { return afterID_; }
    void SetAfterID(int32_t Value);
    int32_t Before() const noexcept { return before_; }
    void SetBefore(int32_t Value);
    int32_t BeforeID() const noexcept { return beforeID_; }
    void SetBeforeID(int32_t Value);
    // The host control's Id while bound; 1 for the add-in's own controls.
    virtual int32_t GetOfficeID();
    virtual void SetOfficeID(int32_t Value);
    // True when the control has a tag to be found by; a control without one
    // is left out of the host, and the first time this is asked the module's
    // error report hears of it (once for the module's life, not at every
    // window change).
    bool HasOfficeTag();
    // The stored tag and id, whatever the host says.
    const std::u16string& StoredOfficeTag() const noexcept { return officeTag_; }
    int32_t StoredOfficeID() const noexcept { return officeID_; }
    // The stored caption and parameter, whatever the host says.
    const std::u16string& StoredCaption() const noexcept { return caption_; }
    const std::u16string& StoredParameter() const noexcept { return parameter_; }
    // The framework's own read of a host property: the host's value while
    // bound, else Stored. A host control that is gone is let go of (the
    // control unbinds) and Stored serves, without a report; any other
    // failure raises.
    Variant FrameworkRead(const char* HostName, const Variant& Stored);
    // What the Outlook item-type scans do, and for which item types.
    TadxOLItemTypeAction olItemTypeAction = adxOLActionNone;
    TadxOLItemTypes olExplorerItemTypes = TadxOLItemTypes{adxOLMailItem};
    TadxOLItemClasses olInspectorItemTypes = TadxOLItemClasses{adxOLMail};
    // The change counter ("PropertyChanged" in the stored form).
    int32_t ChangeCounter() const noexcept { return changeCounter_; }
    void SetChangeCounter(int32_t Value) { changeCounter_ = Value; }

    // The control as a kind, or nullptr when it is another.
    TadxCommandBarButton* GetAsButton();
    TadxCommandBarEdit* GetAsEdit();
    TadxCommandBarDropDownList* GetAsDropDownList();
    TadxCommandBarComboBox* GetAsComboBox();
    TadxCommandBarPopup* GetAsPopup();
    TadxCommandBarAdvancedControl* GetAsAdvancedControl();

    // Counts a change while the owning bar is being designed.
    void CountChange();
    // Hands a failure to the module's error report.
    void ReportError(const Exception& E);
    // The record of the control under the add-in's "\Controls": whether it
    // differs from the counter, and writing it.
    bool IsChanged();
    void ApplyChanges();

protected:
    std::string GetDisplayName() const override;
    // Binds an interface and, when not nil, a new event sink for it; drops
    // the sink held before (the button and list kinds).
    void BindWithSink(const ComPtr<IDispatch>& Control, const GUID& Iid);
    // Stores value, writes it to the host when bound and differs, counts a
    // change; failures go to the module's error report.
    template <class T> void Set(T& field, const T& value, const char* hostName) {
        try {
            if (field != value)
                field = value;
            if (control_)
                PushHost(hostName, Variant(value));
            CountChange();
        } catch (const Exception& e) {
            ReportError(e);
        }
    }
    void PushHost(const char* hostName, const Variant& value);
    // The host's value while bound (failures reported, stored value returned).
    Variant ReadHost(const char* hostName, const Variant& stored);

    ComPtr<IDispatch> control_;
    ComPtr<TadxEventSink> sink_;
    int32_t changeCounter_ = 0;
    bool beginGroup_ = false;
    std::u16string caption_;
    std::u16string descriptionText_;
    bool enabled_ = true;
    int32_t height_ = 0;
    int32_t helpContextID_ = 0;
    std::u16string helpFile_;
    std::u16string parameter_;
    int32_t priority_ = 0;
    std::u16string officeTag_;
    std::u16string tooltipText_;
    bool visible_ = true;
    int32_t width_ = 0;
    bool temporary_ = false;
    int32_t afterID_ = 0;
    int32_t before_ = 0;
    int32_t beforeID_ = 0;
    int32_t officeID_ = 1;
    bool missingTagReported_ = false;
    rtl::TLiveness liveness_;

private:
    void Place();
    void DropSink() noexcept;
};

// The controls of a bar or a pop-up.
class TadxCommandBarControls : public TOwnedCollection {
public:
    // An empty collection owned by a bar or a pop-up.
    explicit TadxCommandBarControls(TPersistent* AOwner);
    // A new control of kind Type (0..6) at the end; an advanced control
    // (6) raises 31116 in a pop-up and otherwise fixes its bar's position
    // and protection first.
    TadxCommandBarControl* Add(int32_t Type);
    // The control at Index.
    TadxCommandBarControl* GetItem(int Index) const;
    // Clears, then adds a control of each source item's kind and copies it.
    void Assign(TPersistent* Source) override;
    // The kinds of the controls, in order (the "ButtonTypes" of a stored form).
    std::vector<int32_t> Kinds() const;
};

// True when ItemType (the host's code 0..7) is in ItemTypes.
bool CheckItemClass(int32_t ItemType, TadxOLItemTypes ItemTypes);
// Shows or enables each control of Controls for a folder's item type, when
// its item types differ from its bar's; pop-ups scan their controls too.
void ScanExplControls(int32_t ItemType, TadxCommandBarControls& Controls);
