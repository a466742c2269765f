// The ribbon control base: construction and key-list upkeep, the setters
// that tell the host about real changes, the guarded handlers.
#include "framework/ribbon/RibbonControl.h"

#include "framework/ribbon/RibbonButtons.h"
#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonMenus.h"
#include "framework/ribbon/RibbonTab.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/Guid.h"
#include "platform/com/OleError.h"
#include "platform/gfx/Bitmap.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <utility>

TStringList* adxRibbonKeyList(TadxModuleServices* module) {
    if (!module || (module->ComponentState() & csDestroying))
        return nullptr;
    return module->KeyList.get();
}

std::string adxRibbonKey(IadxRibbonComponent& component) {
    std::u16string idMso = component.GetIDMso();
    return text::Narrow(idMso.empty() ? component.GetID() : idMso);
}

std::string adxGuidDigits() {
    std::string digits;
    for (char c : GUID::Create().ToString())
        if (c != '{' && c != '}' && c != '-')
            digits += c;
    return digits;
}

TadxRibbonCustomControl::TadxRibbonCustomControl(TCollection* Collection)
    : TCollectionItem(Collection), glyph_(std::make_unique<TBitmap>()) {
    glyph_->OnChange = [this](TObject* sender) { GlyphChanged(sender); };
    if (auto* owner = dynamic_cast<IadxRibbonComponent*>(ParentObject()))
        ribbons_ = owner->GetRibbons();
    if (TStringList* keys = adxRibbonKeyList(Module()))
        keys->AddObject(text::Narrow(id_), this);
}

TadxRibbonCustomControl::~TadxRibbonCustomControl() {
    if (TStringList* keys = adxRibbonKeyList(Module())) {
        int index = keys->IndexOfObject(this);
        if (index >= 0)
            keys->Delete(index);
    }
    // The glyph goes without telling a control that is half destroyed.
    glyph_->OnChange = nullptr;
}

void TadxRibbonCustomControl::DoAction(TadxRibbonActionArguments&) {}

void TadxRibbonCustomControl::DoChangeProperty(TadxRibbonControlPropertyType PropertyType,
                                               Variant& Value, IDispatch* Context, int32_t) {
    if (!OnPropertyChanging)
        return;
    // Copied: the handler may free the control, and the handler with it.
    TadxRibbonPropertyChanging handler = OnPropertyChanging;
    Fire([&] { handler(this, PropertyType, Value, Context); });
}

std::string TadxRibbonCustomControl::GetXmlType() {
    return {};
}

std::unique_ptr<TStringList> TadxRibbonCustomControl::GetAttributes() {
    return std::make_unique<TStringList>();
}

TadxRibbonControls* TadxRibbonCustomControl::GetControls() {
    return nullptr;
}

TadxRibbonControls* TadxRibbonCustomControl::GetItems() {
    return nullptr;
}

uint8_t TadxRibbonCustomControl::GetType() {
    return adxRibbonTypeSeparator;
}

std::u16string TadxRibbonCustomControl::GetTitle() {
    return title_;
}

std::u16string TadxRibbonCustomControl::GetContent() {
    return {};
}

// ---- the control's place ----

TObject* TadxRibbonCustomControl::ParentObject() const {
    auto* controls = dynamic_cast<TadxRibbonControls*>(Collection());
    return controls ? controls->GetOwner() : nullptr;
}

TadxRibbonTab* TadxRibbonCustomControl::GetRoot() const {
    TObject* owner = ParentObject();
    // Each step climbs one collection; a tree deeper than any ribbon allows means a cycle.
    for (int depth = 0; owner && depth < 64; ++depth) {
        if (auto* tab = dynamic_cast<TadxRibbonTab*>(owner))
            return tab;
        auto* control = dynamic_cast<TadxRibbonCustomControl*>(owner);
        owner = control ? control->ParentObject() : nullptr;
    }
    return nullptr;
}

TadxModuleServices* TadxRibbonCustomControl::Module() const {
    TadxRibbonTab* root = GetRoot();
    return root ? root->Module() : nullptr;
}

std::u16string TadxRibbonCustomControl::GetParentIDMso() const {
    auto* owner = dynamic_cast<IadxRibbonComponent*>(ParentObject());
    return owner ? owner->GetIDMso() : std::u16string();
}

TadxRibbonGroup* TadxRibbonCustomControl::AsRibbonGroup(TObject* Object) {
    return dynamic_cast<TadxRibbonGroup*>(Object);
}

TadxRibbonButton* TadxRibbonCustomControl::AsRibbonButton(TObject* Object) {
    return dynamic_cast<TadxRibbonButton*>(Object);
}

TadxRibbonSplitButton* TadxRibbonCustomControl::AsRibbonSplitButton(TObject* Object) {
    return dynamic_cast<TadxRibbonSplitButton*>(Object);
}

std::u16string TadxRibbonCustomControl::ModuleNamespace() const {
    TadxModuleServices* module = Module();
    return module ? module->Namespace : std::u16string();
}

std::string TadxRibbonCustomControl::GetDisplayName() const {
    std::string name = "(" + ClassName() + ")";
    return caption_.empty() ? name : text::Narrow(caption_) + " " + name;
}

void TadxRibbonCustomControl::DesignTimeDefaults(const char* Kind, bool HasCaption) {
    TadxRibbonTab* root = GetRoot();
    if (!root || !(root->ComponentState() & csDesigning) || !id_.empty())
        return;
    std::string prefix = std::string("adxRibbon") + Kind;
    SetID(text::Wide(prefix + adxGuidDigits()));
    if (!HasCaption)
        return;
    int same = 1;
    if (TStringList* keys = adxRibbonKeyList(Module()))
        for (int i = 0; i < keys->Count(); ++i) {
            TObject* object = keys->Objects(i);
            if (object && object != this && typeid(*object) == typeid(*this))
                ++same;
        }
    SetCaption(text::Wide(prefix + std::to_string(same)));
}

// ---- the key list ----

void TadxRibbonCustomControl::UpdateKey() {
    TStringList* keys = adxRibbonKeyList(Module());
    if (!keys)
        return;
    int index = keys->IndexOfObject(this);
    if (index >= 0)
        keys->SetStrings(index, adxRibbonKey(*this));
}

void TadxRibbonCustomControl::SetID(const std::u16string& Value) {
    if (Value.empty() || Value == id_)
        return;
    id_ = Value;
    UpdateKey();
}

void TadxRibbonCustomControl::SetIDMso(const std::u16string& Value) {
    if (Value == idMso_)
        return;
    idMso_ = Value;
    UpdateKey();
}

// ---- invalidation ----

void TadxRibbonCustomControl::Invalidate() {
    TadxModuleServices* module = Module();
    if (!module || !module->RibbonUI)
        return;
    if (!idMso_.empty()) {
        OleCheck(module->RibbonUI->Invalidate());
        return;
    }
    OleCheck(module->RibbonUI->InvalidateControl(id_));
    // The split button's inner button is a control of its own for the host.
    if (AsRibbonSplitButton(this))
        OleCheck(module->RibbonUI->InvalidateControl(id_ + u"wrapped"));
}

void TadxRibbonCustomControl::GlyphChanged(TObject*) {
    Invalidate();
    ShownInListChanged();
}

void TadxRibbonCustomControl::SetCaption(const std::u16string& Value) {
    if (Change(caption_, Value))
        ShownInListChanged();
}
void TadxRibbonCustomControl::SetDescription(const std::u16string& Value) {
    Change(description_, Value);
}
void TadxRibbonCustomControl::SetEnabled(bool Value) {
    Change(enabled_, Value);
}
void TadxRibbonCustomControl::SetImageIndex(int32_t Value) {
    if (Change(imageIndex_, Value))
        ShownInListChanged();
}
void TadxRibbonCustomControl::SetImageMso(const std::u16string& Value) {
    Change(imageMso_, Value);
}
void TadxRibbonCustomControl::SetInsertAfterIdMso(const std::u16string& Value) {
    Change(insertAfterIdMso_, Value);
}
void TadxRibbonCustomControl::SetInsertAfterId(const std::u16string& Value) {
    Change(insertAfterId_, Value);
}
void TadxRibbonCustomControl::SetInsertBeforeIdMso(const std::u16string& Value) {
    Change(insertBeforeIdMso_, Value);
}
void TadxRibbonCustomControl::SetInsertBeforeId(const std::u16string& Value) {
    Change(insertBeforeId_, Value);
}
void TadxRibbonCustomControl::SetItemHeight(int32_t Value) {
    Change(itemHeight_, Value);
}
void TadxRibbonCustomControl::SetItemWidth(int32_t Value) {
    Change(itemWidth_, Value);
}
void TadxRibbonCustomControl::SetKeyTip(const std::u16string& Value) {
    Change(keyTip_, Value.substr(0, 3));
}
void TadxRibbonCustomControl::SetPressed(bool Value) {
    Change(pressed_, Value);
}
void TadxRibbonCustomControl::SetSelectedItemId(const std::u16string& Value) {
    Change(selectedItemId_, Value);
}
void TadxRibbonCustomControl::SetSelectedItemIndex(int32_t Value) {
    Change(selectedItemIndex_, Value);
}
void TadxRibbonCustomControl::SetScreenTip(const std::u16string& Value) {
    if (Change(screenTip_, Value))
        ShownInListChanged();
}
void TadxRibbonCustomControl::SetShowCaption(bool Value) {
    Change(showCaption_, Value);
}
void TadxRibbonCustomControl::SetSize(TadxRibbonXControlSize Value) {
    Change(size_, Value);
}
void TadxRibbonCustomControl::SetSuperTip(const std::u16string& Value) {
    if (Change(superTip_, Value))
        ShownInListChanged();
}
void TadxRibbonCustomControl::SetText(const std::u16string& Value) {
    Change(text_, Value);
}
void TadxRibbonCustomControl::SetTitle(const std::u16string& Value) {
    Change(title_, Value);
}
void TadxRibbonCustomControl::SetVisible(bool Value) {
    Change(visible_, Value);
}

void TadxRibbonCustomControl::SetGlyph(TBitmap* Value) {
    // The setter tells the host once, whether or not the image changed.
    TNotifyEvent onChange = std::exchange(glyph_->OnChange, nullptr);
    try {
        glyph_->Assign(Value);
    } catch (...) {
        glyph_->OnChange = std::move(onChange);
        throw;
    }
    glyph_->OnChange = std::move(onChange);
    Invalidate();
    ShownInListChanged();
}

void TadxRibbonCustomControl::SetRibbons(TadxRibbons Value) {
    if (Value.Empty() || Value == ribbons_)
        return;
    ribbons_ = Value;
    for (TadxRibbonControls* children : {GetItems(), GetControls()}) {
        if (!children)
            continue;
        for (int i = 0; i < children->Count(); ++i)
            children->GetItem(i)->SetRibbons(Value);
    }
}

void TadxRibbonCustomControl::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TadxRibbonCustomControl*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    TCollection* own = Collection();
    if (own)
        own->BeginUpdate();
    struct EndUpdate {
        TCollection* c;
        ~EndUpdate() {
            if (c)
                c->EndUpdate();
        }
    } end{own};
    SetCaption(source->caption_);
    SetDescription(source->description_);
    SetEnabled(source->enabled_);
    SetImageIndex(source->imageIndex_);
    SetImageMso(source->imageMso_);
    SetInsertAfterIdMso(source->insertAfterIdMso_);
    SetInsertAfterId(source->insertAfterId_);
    SetInsertBeforeIdMso(source->insertBeforeIdMso_);
    SetInsertBeforeId(source->insertBeforeId_);
    SetItemHeight(source->itemHeight_);
    SetItemWidth(source->itemWidth_);
    SetPressed(source->pressed_);
    SetSelectedItemId(source->selectedItemId_);
    SetSelectedItemIndex(source->selectedItemIndex_);
    SetShowCaption(source->showCaption_);
    SetSize(source->size_);
    SetSuperTip(source->superTip_);
    SetRibbons(source->ribbons_);
    SetText(source->text_);
    SetVisible(source->visible_);
}

// ---- handlers ----

void TadxRibbonCustomControl::DoClick(TadxRibbonActionArguments& Args,
                                      const TadxRibbonOnClick& handler, bool storePressed) {
    if (storePressed)
        StorePressed(Args.Pressed);
    if (!handler)
        return;
    // Copied: handler is a member of the control it may free.
    TadxRibbonOnClick copy = handler;
    RunHandler([&] { copy(this, Args.RibbonControl); });
}

void TadxRibbonCustomControl::RouteItemProperty(TadxRibbonControlPropertyType PropertyType,
                                                Variant& Value, IDispatch* Context,
                                                int32_t ItemIndex,
                                                const TadxRibbonItemPropertyChanging& itemHandler) {
    if (PropertyType < rcptItemID || PropertyType > rcptItemGlyph) {
        TadxRibbonCustomControl::DoChangeProperty(PropertyType, Value, Context, ItemIndex);
        return;
    }
    if (!itemHandler)
        return;
    // Copied: itemHandler is a member of the control the handler may free.
    TadxRibbonItemPropertyChanging handler = itemHandler;
    Fire([&] { handler(this, PropertyType, Value, Context, ItemIndex); });
}

bool TadxRibbonCustomControl::Fire(const std::function<void()>& call) {
    TadxModuleServices* module = Module();
    // Without a module nobody takes the report: the exception goes on.
    if (!module)
        return rtl::FireSurvives(liveness_, call);
    return adxFire(module, liveness_, call);
}

bool TadxRibbonCustomControl::RunHandler(const std::function<void()>& call) {
    if (inAction_)
        return true;
    inAction_ = true;
    rtl::TLifeWatch alive = liveness_.Watch();
    bool survived = false;
    try {
        survived = Fire(call);
    } catch (...) {
        if (alive)
            inAction_ = false;
        throw;
    }
    if (survived)
        inAction_ = false;
    return survived;
}
