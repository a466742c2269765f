// The simulated ribbon host: one add-in's ribbon for one ribbon identifier.
//
// Load asks the add-in object (IRibbonExtensibility::GetCustomUI) for its
// custom UI document, reads it (RibbonDocument.h), validates it against the
// custom UI schema as the host does, and hands an IRibbonUI to the document's
// onLoad callback. From then on the host "shows" controls by asking their
// get... callbacks and "clicks" them by calling onAction or onChange. Every
// callback is called the way Office calls it: by name, through the add-in
// object's IDispatch (GetIDsOfNames, then Invoke with DISPATCH_METHOD), with
// the IRibbonControl (Id, Context, Tag) first and the rest of the callback's
// argument list after it:
//
//   onLoad (ribbon)                      loadImage (image name)
//   get... of a control (control)        getItem... (control, index)
//   onAction of a button (control)       of a toggle button or check box (control, pressed)
//   of a drop-down or gallery (control, selected id, selected index)
//   onChange (control, text)             of a repurposed command (control[, pressed], cancel by
//   reference)
//
// As in Office, what a control shows is asked once and kept until the
// add-in invalidates the control or the whole ribbon through IRibbonUI. A
// callback that fails while a control is shown leaves the property at its
// default and is recorded in Errors(); a failing action raises EHostFailure.
#pragma once

#include "platform/com/Com.h"
#include "platform/office/OfficeConstants.h"
#include "platform/sim/RibbonDocument.h"
#include "platform/sim/RibbonObjects.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// What one control shows: each property from its get... callback when the
// document names one, else from its attribute, else Office's default.
struct RibbonControlState {
    // The control's id and element name ("button", "splitButton").
    std::string Id;
    std::string Kind;
    // The texts of label, screentip, supertip, keytip and description.
    std::u16string Label;
    std::u16string ScreenTip;
    std::u16string SuperTip;
    std::u16string KeyTip;
    std::u16string Description;
    // The title of a menu or menu separator.
    std::u16string Title;
    // The text of an edit box or combo box.
    std::u16string Text;
    // enabled, visible, showLabel and showImage.
    bool Enabled = true;
    bool Visible = true;
    bool ShowLabel = true;
    bool ShowImage = true;
    // The state of a toggle button or check box.
    bool Pressed = false;
    // size: regular or large.
    RibbonControlSize Size = RibbonControlSizeRegular;
    // The picture that getImage, or loadImage for the "image" attribute, returned.
    ComPtr<IDispatch> Image;
    // The built-in image named by "imageMso" (or by getImage's text answer).
    std::string ImageMso;
};

// One item of a drop-down, gallery or combo box.
struct RibbonItemState {
    // The item's id, label, screentip and supertip, and its picture.
    std::u16string Id;
    std::u16string Label;
    std::u16string ScreenTip;
    std::u16string SuperTip;
    ComPtr<IDispatch> Image;
};

// One callback the host called, in order.
struct RibbonCallRecord {
    // The callback's name as the document gives it.
    std::string Name;
    // The id of the control it was about; empty for onLoad and loadImage.
    std::string ControlId;
    // What Invoke answered.
    HRESULT Result = S_OK;
};

class RibbonHost {
public:
    // The ribbon of addIn for ribbonId, shown in window context (may be nil);
    // nothing is asked before Load.
    RibbonHost(IUnknown* addIn, std::u16string ribbonId, ComPtr<IDispatch> context = nullptr);
    RibbonHost(const RibbonHost&) = delete;
    RibbonHost& operator=(const RibbonHost&) = delete;

    // Asks the add-in for its document and calls onLoad. Raises EHostFailure
    // when the add-in lacks IRibbonExtensibility, GetCustomUI fails, or the
    // document is unreadable or (with validation on) not valid; an empty
    // answer leaves the ribbon without a document.
    void Load();
    // Turns the schema check of Load off or on (on by default, as Office
    // ignores a document that breaks the schema).
    void SetValidation(bool validate) noexcept { validate_ = validate; }

    // The ribbon identifier asked for.
    const std::u16string& RibbonId() const noexcept { return ribbonId_; }
    // The text GetCustomUI answered.
    const std::u16string& Xml() const noexcept { return xml_; }
    // True when the add-in answered with a document.
    bool HasDocument() const noexcept { return document_.has_value(); }
    // The document; raises EHostFailure when there is none.
    const RibbonDocument& Document() const;
    // The IRibbonUI handed to onLoad (created by Load).
    SimulatedRibbonUI& RibbonUI() const;
    // The invalidations the add-in asked for ("" for the whole ribbon).
    const std::vector<std::string>& Invalidations() const;
    // The window the controls are shown in (IRibbonControl.Context).
    void SetContext(ComPtr<IDispatch> context);

    // What the control with that id shows (asked again only after an
    // invalidation). Raises EHostFailure for an unknown id.
    RibbonControlState Render(std::string_view controlId);
    // Renders every control of the document that has an id.
    void RenderAll();
    // The items of a drop-down, gallery or combo box, from its item
    // callbacks or its item elements.
    std::vector<RibbonItemState> RenderItems(std::string_view controlId);

    // The user clicks a button, toggle button, check box or split button (its
    // inner button), found by id or else by the label it shows. The control
    // must be visible and enabled, and it must name onAction.
    void Click(std::string_view idOrLabel);
    // The user picks item index of a drop-down or gallery (onAction).
    void Select(std::string_view controlId, int32_t index);
    // The user types text into an edit box or combo box (onChange).
    void ChangeText(std::string_view controlId, const std::u16string& text);
    // The user runs a built-in command that the document repurposes (its
    // <command> element's onAction); returns the cancel flag the add-in left.
    bool ExecuteCommand(std::string_view idMso, std::optional<bool> pressed = std::nullopt);
    // Opens a dynamic menu: its getContent answer becomes its controls.
    void OpenDynamicMenu(std::string_view controlId);
    // The picture the document's loadImage callback returns for an image name.
    ComPtr<IDispatch> LoadImage(const std::string& imageName);

    // Calls the callback name for the control with that id (or for no
    // control when the id is empty) with the further arguments given, the way
    // the host calls it; returns its result. Raises EHostFailure when the
    // add-in does not know the name or Invoke fails.
    Variant Invoke(const std::string& name, std::string_view controlId,
                   std::vector<Variant> arguments = {}, bool wantResult = true);

    // Every callback called so far, in order.
    const std::vector<RibbonCallRecord>& Calls() const noexcept { return calls_; }
    // Failures of callbacks asked while controls were shown or loaded.
    const std::vector<std::string>& Errors() const noexcept { return errors_; }
    // Forgets the recorded calls and errors.
    void ClearRecords() noexcept;

private:
    const RibbonElement& Find(std::string_view controlId) const;
    const RibbonElement& FindByIdOrLabel(std::string_view idOrLabel);
    const RibbonElement& ClickTarget(const RibbonElement& element) const;
    void ExpectUsable(const RibbonElement& element);
    ComPtr<SimulatedRibbonControl> ControlFor(const RibbonElement& element) const;
    Variant CallFor(const RibbonElement& element, const std::string& attribute,
                    std::vector<Variant> arguments, bool wantResult);
    Variant CallByName(const std::string& name, const RibbonElement* element,
                       std::vector<Variant> arguments, bool wantResult);
    RibbonControlState RenderElement(const RibbonElement& element);
    RibbonControlState Ask(const RibbonElement& element);
    void AskText(const RibbonElement& element, const char* attribute, const char* callback,
                 std::u16string& out);
    void AskBool(const RibbonElement& element, const char* attribute, const char* callback,
                 bool& out);
    void AskSize(const RibbonElement& element, RibbonControlSize& out);
    void AskImage(const RibbonElement& element, RibbonControlState& state);
    void AskItem(const RibbonElement& element, int32_t index, RibbonItemState& item);
    void Record(const std::string& what);

    ComPtr<IUnknown> addIn_;
    std::u16string ribbonId_;
    ComPtr<IDispatch> context_;
    bool validate_ = true;
    std::u16string xml_;
    std::optional<RibbonDocument> document_;
    ComPtr<SimulatedRibbonUI> ribbonUI_;
    // What each control showed when last asked, until it is invalidated.
    std::map<const RibbonElement*, RibbonControlState> shown_;
    std::vector<RibbonCallRecord> calls_;
    std::vector<std::string> errors_;
};

} // namespace sim
