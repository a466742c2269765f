// The ribbon controls that hold controls of any class: the group, the box,
// the button group (and the menu, RibbonMenus.h). Their stored form keeps the
// children in two properties of their own: "ControlTypes", the type code of
// each child (RibbonControlTypes.h), and "Controls_", the children in the
// standard collection format, each created by the code at its position.
#pragma once

#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonControl.h"

#include <cstdint>
#include <memory>
#include <vector>

// A control whose children may be of any control class (at most 1000).
class TadxRibbonContainerControl : public TadxRibbonCustomControl {
public:
    explicit TadxRibbonContainerControl(TCollection* Collection);
    // Frees the children first.
    ~TadxRibbonContainerControl() override;

    // The children.
    TadxRibbonControls* Controls() const { return controls_.get(); }
    // Assigns the children of another collection.
    void SetControls(TadxRibbonControls* Value);
    TadxRibbonControls* GetControls() override { return controls_.get(); }

    // The stored "ControlTypes" of the children as they are now.
    std::vector<uint8_t> ControlTypesData() const;
    // Reads stored "ControlTypes": the codes the next "Controls_" creates its children by.
    void ReadControlTypes(const std::vector<uint8_t>& Data);
    // Reads stored "Controls_": the children, the i-th of the class of the
    // i-th code read before.
    void ReadControls(forms::FormReader& Reader, const forms::FormValue& Value);

private:
    std::unique_ptr<TadxRibbonControls> controls_;
    std::vector<int32_t> controlTypes_;
};

// A group of a tab (or of a built-in tab, inserted into it).
class TadxRibbonGroup : public TadxRibbonContainerControl {
public:
    explicit TadxRibbonGroup(TCollection* Collection);
    std::string GetXmlType() override { return "group"; }
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeGroup; }

    // Published: shared with other add-ins through the module's Namespace.
    bool Shared = false;
};

// A box that lays out its controls in a row or a column.
class TadxRibbonBox : public TadxRibbonContainerControl {
public:
    explicit TadxRibbonBox(TCollection* Collection);
    std::string GetXmlType() override { return "box"; }
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeBox; }

    // Published: the layout; a change invalidates.
    TadxRibbonXBoxStyle BoxStyle() const { return boxStyle_; }
    void SetBoxStyle(TadxRibbonXBoxStyle Value) { Change(boxStyle_, Value); }
    // Published: shared with other add-ins through the module's Namespace.
    bool Shared = false;

private:
    TadxRibbonXBoxStyle boxStyle_ = TadxRibbonXBoxStyle::bsHorizontal;
};

// A group of buttons drawn as one block.
class TadxRibbonButtonGroup : public TadxRibbonContainerControl {
public:
    explicit TadxRibbonButtonGroup(TCollection* Collection);
    std::string GetXmlType() override { return "buttonGroup"; }
    std::unique_ptr<TStringList> GetAttributes() override;
    uint8_t GetType() override { return adxRibbonTypeButtonGroup; }

    // Published: shared with other add-ins through the module's Namespace.
    bool Shared = false;
};
