// The menu and the split button. A menu holds controls of any class; it may
// be dynamic, its content then fetched by the host when it opens (GetContent,
// OnCreate lets the add-in fill it first). A split button is a button with
// menus: the host shows its inner button as a control of its own, with the
// split button's id followed by "wrapped", whose clicks reach the split button.
#pragma once

#include "framework/ribbon/RibbonContainers.h"

// A menu of controls.
class TadxRibbonMenu : public TadxRibbonContainerControl {
public:
    explicit TadxRibbonMenu(TCollection* Collection);
    // "control" for a built-in menu in a custom owner, "dynamicMenu", or "menu".
    std::string GetXmlType() override;
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeMenu; }
    // The "menu" document of a dynamic menu's controls (OnCreate fired first).
    std::u16string GetContent() override;

    // Published: the content is fetched when the menu opens. A menu of a
    // split button stays static.
    bool Dynamic() const { return dynamic_; }
    void SetDynamic(bool Value);
    // Published: the size of the menu's items.
    TadxRibbonXItemSize ItemSize = TadxRibbonXItemSize::Normal;
    // Published: fired before the menu is written and before a dynamic menu's content is made.
    TNotifyEvent OnCreate;

private:
    bool dynamic_ = false;
};

// A button with menus (at most 10).
class TadxRibbonSplitButton : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonSplitButton(TCollection* Collection);
    ~TadxRibbonSplitButton() override;
    std::string GetXmlType() override { return "splitButton"; }
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeSplitButton; }
    TadxRibbonControls* GetControls() override { return controls_.get(); }
    // Pressed from the arguments, then OnClick (guarded, not re-entered).
    void DoAction(TadxRibbonActionArguments& Args) override;
    // The attributes of the inner button (a new list).
    std::unique_ptr<TStringList> GetWrappedAttributes();

    // The menus.
    TadxRibbonControls* Controls() const { return controls_.get(); }
    void SetControls(TadxRibbonControls* Value);
    // Published: the inner button is a toggle button.
    bool ToggleButton = false;
    // Published: the user clicked the inner button.
    TadxRibbonOnClick OnClick;

private:
    std::unique_ptr<TadxRibbonControls> controls_;
};
