// Menus: TMenuItem, one command of a menu with its caption, click event and
// sub-items, and TMainMenu, the menu bar a form shows under its caption bar
// (TForm::Menu). Items are components, so a stored form declares them nested
// in the menu; the user-input layer clicks them by their captions.
#pragma once

#include "platform/forms/Component.h"
#include "platform/rtl/Lifetime.h"

#include <string>
#include <vector>

class TMenuItem : public TComponent {
public:
    // An item owned by `AOwner`, in no menu yet.
    explicit TMenuItem(TComponent* AOwner);
    // Leaves its parent item and lets its own items go.
    ~TMenuItem() override;

    // The text ("&" marks the accelerator; "-" is a separator line).
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    // Whether the item can be chosen.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    // Whether the item is shown.
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    // Whether a check mark is shown beside it.
    bool Checked() const { return checked_; }
    void SetChecked(bool value) { checked_ = value; }

    // The sub-items.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    // Appends a sub-item.
    void Add(TMenuItem* item);
    // Takes a sub-item out (it stays alive).
    void Remove(TMenuItem* item);
    // The item this one is in, or nullptr.
    TMenuItem* Parent() const { return parent_; }
    // The sub-item with this caption (accelerator marks ignored), or nullptr.
    TMenuItem* Find(const std::string& caption) const;
    // While a form is read, items nest in their enclosing menu or item.
    void SetParentComponent(TComponent* Parent) override;

    // Chooses the item: fires OnClick when it is enabled.
    virtual void Click();
    // Fired by Click.
    TNotifyEvent OnClick;

private:
    rtl::TLiveness liveness_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

class TMainMenu : public TComponent {
public:
    // A menu owned by `AOwner`.
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;
    // The items of the bar.
    TMenuItem* Items() const { return items_; }

private:
    TMenuItem* items_;
};

// A caption without its accelerator marks ("&File" -> "File").
std::string StripHotkey(const std::string& caption);
