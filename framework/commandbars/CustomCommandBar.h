// TadxCustomCommandBar: the component that stands for one of the host's
// command bars (a toolbar or a menu bar). It lives on the add-in module,
// keeps the bar's wanted properties while no host bar exists, owns the
// bar's controls, and once the module has found or made the host bar pushes
// its properties there (once per design change, recorded under the add-in's
// key), binds its controls again after window changes and removes them and
// itself at uninstallation. TadxOlExplorerCustomCommandBar is the variant
// for Outlook explorers, shown only in the folders it belongs to.
#pragma once

#include "framework/commandbars/CommandBarControl.h"
#include "framework/commandbars/CommandBarTypes.h"
#include "framework/support/OfficeHosts.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/forms/Component.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <string>
#include <vector>

class TadxModuleServices;

class TadxCustomCommandBar : public TComponent {
public:
    // A bar of the module AOwner; another owner raises EOleSysError 31112.
    explicit TadxCustomCommandBar(TComponent* AOwner);
    // Leaves the module's command-bar list and frees the controls.
    ~TadxCustomCommandBar() override;

    // The module holding the bar (nullptr once it is being freed).
    TadxModuleServices* Module() const noexcept { return module_; }
    // The connected host bar, nil while unconnected.
    ComPtr<IDispatch> CommandBar;
    // The bar's controls (owned).
    TadxCommandBarControls* Controls() const noexcept { return controls_.get(); }

    // ---- properties: the host's value while connected, else the stored one ----

    bool GetEnabled();
    void SetEnabled(bool Value);
    bool GetVisible() const noexcept { return visible_; }
    void SetVisible(bool Value);
    TadxMsoBarPosition GetPosition();
    void SetPosition(TadxMsoBarPosition Value);
    TadxMsoBarProtection GetProtection();
    void SetProtection(TadxMsoBarProtection Value);
    int32_t GetLeftPosition();
    void SetLeftPosition(int32_t Value);
    int32_t GetTopPosition();
    void SetTopPosition(int32_t Value);
    int32_t GetRowIndex();
    void SetRowIndex(int32_t Value);
    // The host bar's Name while connected.
    std::u16string GetCommandBarName();
    void SetCommandBarName(const std::u16string& Value) { commandBarName_ = Value; }
    const std::u16string& CommandBarNameLocal() const noexcept { return commandBarNameLocal_; }
    void SetCommandBarNameLocal(const std::u16string& Value);
    bool Temporary() const noexcept { return temporary_; }
    void SetTemporary(bool Value);
    TadxHostAppSet SupportedApps() const noexcept { return supportedApps_; }
    virtual void SetSupportedApps(TadxHostAppSet Value);
    bool ShowOnRibbonHosts() const noexcept { return showOnRibbonHosts_; }
    void SetShowOnRibbonHosts(bool Value);
    // The change counter (raised by design-time changes; stored as "PropertyChanged").
    int32_t ChangeCounter() const noexcept { return changeCounter_; }
    void SetChangeCounter(int32_t Value) { changeCounter_ = Value; }
    // The stored name, whatever the host says.
    const std::u16string& StoredName() const noexcept { return commandBarName_; }
    // The stored enabled state, whatever the host says.
    bool StoredEnabled() const noexcept { return enabled_; }
    // The framework's own read of a host property: the host's value while
    // connected, else Stored. A host bar that is gone is let go of (the bar
    // is unconnected) and Stored serves, without a report; any other
    // failure raises.
    Variant FrameworkRead(const char* HostName, const Variant& Stored);

    // ---- operations ----

    // Pushes the wanted properties to the connected bar once per design
    // change (always when temporary or in Access).
    void SetProperties();
    // Whether the bar's record differs from the change counter; writes it.
    bool IsChanged();
    void ApplyChanges();
    // Finds the host bar and every control again after a window change.
    void ReconnectControls();
    // Deletes the bar's controls and then the bar from the host.
    void Uninstall();
    // Deletes the host bar when it is not built in and holds no control;
    // always drops CommandBar.
    void Delete();
    // The host bar's BuiltIn; false while unconnected.
    bool GetBuiltIn();
    // True when the module's host is one the bar is installed in.
    bool ForHost() const;

    // Stored-form support: the control kinds of "ButtonTypes" and the controls of "Buttons".
    std::vector<int32_t> ControlTypes;
    // Counts a change while the bar is being designed.
    void CountChange();
    // Hands an accessor's failure to the module's error report.
    void ReportError(const Exception& E);

protected:
    // Clears the advanced controls' window when that window goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Rejects positions and protections an advanced control cannot live with.
    void CheckAdvancedRule(bool position, int value);

    TadxModuleServices* module_;
    bool enabled_ = true;
    int32_t leftPosition_ = -1;
    std::u16string commandBarName_;
    std::u16string commandBarNameLocal_;
    TadxMsoBarPosition position_ = adxMsoBarTop;
    int32_t rowIndex_ = -1;
    TadxMsoBarProtection protection_ = adxMsoBarNoProtection;
    int32_t topPosition_ = -1;
    bool visible_ = true;
    bool temporary_ = false;
    std::unique_ptr<TadxCommandBarControls> controls_;
    int32_t changeCounter_ = 0;
    TadxHostAppSet supportedApps_;
    bool showOnRibbonHosts_ = false;

private:
    // The host's value while connected (failures reported, stored value returned).
    Variant HostValue(const char* hostName, const Variant& stored);
    // Stores value, writes hostValue to the host when connected and it
    // differs, counts a change; failures go to the module's error report.
    template <class T> void Set(T& field, const T& value, const char* hostName, Variant hostValue);
    void UninstallControl(TadxCommandBarControl& control, bool barGone);
};

class TadxOlExplorerCustomCommandBar : public TadxCustomCommandBar {
public:
    // A temporary bar at the top, for Outlook only, kept on ribbon hosts.
    explicit TadxOlExplorerCustomCommandBar(TComponent* AOwner);
    // Stores the hosts, then keeps Outlook alone.
    void SetSupportedApps(TadxHostAppSet Value) override;

    // The one folder (its full name) the bar is enabled in; empty: none.
    std::u16string FolderName;
    // The folders (full names, letter case ignored) the bar is shown in.
    TStringList* FolderNames() const noexcept { return folderNames_.get(); }
    // The folder item types the bar is shown for; new controls take them.
    TadxOLItemTypes ItemTypes = TadxOLItemTypes{adxOLMailItem};

private:
    std::unique_ptr<TStringList> folderNames_;
};
