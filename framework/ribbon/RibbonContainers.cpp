// The group, the box and the button group, and the stored form of a
// container's children.
#include "framework/ribbon/RibbonContainers.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonControlTypes.h"
#include "platform/forms/FormReader.h"
#include "platform/rtl/Format.h"

namespace {

// The most children a container holds.
constexpr int kMaxChildren = 1000;

} // namespace

TadxRibbonContainerControl::TadxRibbonContainerControl(TCollection* Collection)
    : TadxRibbonCustomControl(Collection),
      controls_(std::make_unique<TadxRibbonControls>(
          this, kMaxChildren, TCollection::ItemClassOf<TadxRibbonCustomControl>())) {}

TadxRibbonContainerControl::~TadxRibbonContainerControl() {
    // The children climb through this control to leave the key list.
    controls_.reset();
}

void TadxRibbonContainerControl::SetControls(TadxRibbonControls* Value) {
    controls_->Assign(Value);
}

std::vector<uint8_t> TadxRibbonContainerControl::ControlTypesData() const {
    std::vector<int32_t> codes;
    for (int i = 0; i < controls_->Count(); ++i)
        codes.push_back(controls_->GetItem(i)->GetType());
    return adxWriteControlTypes(codes);
}

void TadxRibbonContainerControl::ReadControlTypes(const std::vector<uint8_t>& Data) {
    controlTypes_ = adxReadControlTypes(Data);
}

void TadxRibbonContainerControl::ReadControls(forms::FormReader& Reader,
                                              const forms::FormValue& Value) {
    adxReadRibbonItems(Reader, *controls_, Value, [&](int index) {
        if (index >= static_cast<int>(controlTypes_.size()))
            Reader.Fail(Format("ControlTypes names %d children, the form holds more",
                               {static_cast<int>(controlTypes_.size())}));
        return controls_->Add(controlTypes_[static_cast<size_t>(index)]);
    });
}

// ---- group ----

TadxRibbonGroup::TadxRibbonGroup(TCollection* Collection) : TadxRibbonContainerControl(Collection) {
    DesignTimeDefaults("Group", true);
}

std::unique_ptr<TStringList> TadxRibbonGroup::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (Shared && list.HasNamespace()) {
        list.SharedId().Bool("visible", GetVisible()).Insert();
        list.Put("keytip", GetKeyTip()).Put("label", GetCaption());
        list.Put("screentip", GetScreenTip()).Put("supertip", GetSuperTip());
        return list.Take();
    }
    list.Callback("getVisible");
    if (!GetIDMso().empty()) {
        list.Put("idMso", GetIDMso());
        return list.Take();
    }
    list.Id().Insert().Image().ImageMso();
    list.Callbacks({"getKeytip", "getLabel", "getSupertip", "getScreentip"});
    return list.Take();
}

// ---- box ----

TadxRibbonBox::TadxRibbonBox(TCollection* Collection) : TadxRibbonContainerControl(Collection) {
    DesignTimeDefaults("Box", false);
}

std::unique_ptr<TStringList> TadxRibbonBox::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    const char* style = boxStyle_ == TadxRibbonXBoxStyle::bsVertical ? "vertical" : "horizontal";
    if (Shared && list.HasNamespace()) {
        list.SharedId().Bool("visible", GetVisible()).Insert().Put("boxStyle", style);
        return list.Take();
    }
    list.Callback("getVisible");
    if (!GetIDMso().empty()) {
        list.Put("idMso", GetIDMso());
        return list.Take();
    }
    list.Id().Insert().Put("boxStyle", style);
    return list.Take();
}

// ---- button group ----

TadxRibbonButtonGroup::TadxRibbonButtonGroup(TCollection* Collection)
    : TadxRibbonContainerControl(Collection) {
    DesignTimeDefaults("ButtonGroup", false);
}

std::unique_ptr<TStringList> TadxRibbonButtonGroup::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (Shared && list.HasNamespace()) {
        list.SharedId().Bool("visible", GetVisible()).Insert();
        return list.Take();
    }
    list.Callback("getVisible");
    if (!GetIDMso().empty()) {
        list.Put("idMso", GetIDMso());
        return list.Take();
    }
    list.Id().Insert();
    return list.Take();
}
