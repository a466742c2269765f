// The simple ribbon controls: the button (also a toggle button, or a
// built-in control), the check box, the label, the dialog box launcher of a
// group, and the separators of groups and menus.
#pragma once

#include "framework/ribbon/RibbonControl.h"

// A button, toggle button, or a built-in control placed by IdMso.
class TadxRibbonButton : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonButton(TCollection* Collection);
    // "control", "toggleButton" or "button".
    std::string GetXmlType() override;
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeButton; }
    // Pressed from the arguments, then OnClick (guarded, not re-entered).
    void DoAction(TadxRibbonActionArguments& Args) override;

    // Published: a button that stays pressed (not inside a drop-down or gallery).
    bool ToggleButton = false;
    // Published: how a button with an IdMso is written.
    TadxParseMsoXmlTypeAs ParseMsoXmlTypeAs = pxtDefault;
    // Published: the user clicked the button.
    TadxRibbonOnClick OnClick;

private:
    bool IsToggle() const;
};

// A check box.
class TadxRibbonCheckBox : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonCheckBox(TCollection* Collection);
    std::string GetXmlType() override;
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeCheckBox; }
    // Pressed from the arguments, then OnClick (guarded, not re-entered).
    void DoAction(TadxRibbonActionArguments& Args) override;

    // Published: the user ticked or cleared the box.
    TadxRibbonOnClick OnClick;
};

// A text label.
class TadxRibbonLabel : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonLabel(TCollection* Collection);
    std::string GetXmlType() override;
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeLabel; }
};

// The launcher button in a group's corner (one per group, kept last).
class TadxRibbonDialogBoxLauncher : public TadxRibbonCustomControl {
public:
    // Raises EOleSysError 31119 when Collection holds a launcher already.
    explicit TadxRibbonDialogBoxLauncher(TCollection* Collection);
    std::string GetXmlType() override { return "dialogBoxLauncher"; }
    // The attributes of its inner button.
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeDialogBoxLauncher; }
    // OnClick (guarded, not re-entered).
    void DoAction(TadxRibbonActionArguments& Args) override;

    // Published: the user clicked the launcher.
    TadxRibbonOnClick OnClick;
};

// A separator line between controls of a group.
class TadxRibbonSeparator : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonSeparator(TCollection* Collection);
    std::string GetXmlType() override { return "separator"; }
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeSeparator; }
};

// A separator of a menu, with a title (its Caption).
class TadxRibbonMenuSeparator : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonMenuSeparator(TCollection* Collection);
    std::string GetXmlType() override { return "menuSeparator"; }
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeMenuSeparator; }
    // The Caption.
    std::u16string GetTitle() override { return GetCaption(); }
};
