// Menu items and the main menu.
#include "platform/controls/Menus.h"

#include "platform/rtl/Exception.h"

#include <algorithm>

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    liveness_.End();
    for (TMenuItem* item : items_)
        item->parent_ = nullptr;
    if (parent_)
        parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
    if (item->parent_)
        item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->parent_ = nullptr;
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    for (TMenuItem* item : items_)
        if (StripHotkey(item->Caption()) == StripHotkey(caption))
            return item;
    return nullptr;
}

void TMenuItem::SetParentComponent(TComponent* Parent) {
    if (auto* menu = dynamic_cast<TMainMenu*>(Parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Parent))
        item->Add(this);
}

void TMenuItem::Click() {
    if (enabled_)
        rtl::FireSurvives(liveness_, OnClick, this);
}

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) {}

TMainMenu::~TMainMenu() {
    delete items_;
}

std::string StripHotkey(const std::string& caption) {
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        // "&&" stands for "&"; a single "&" marks the next letter.
        if (caption[i] == '&') {
            if (i + 1 >= caption.size() || caption[i + 1] != '&')
                continue;
            ++i;
        }
        plain += caption[i];
    }
    return plain;
}
