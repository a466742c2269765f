// Registration of the ribbon's form classes. Each class publishes its own
// subset of the control properties; the stored "Caption" is read by every
// control class.
#include "framework/ribbon/RibbonClasses.h"

#include "framework/ribbon/adxRibbon.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GraphicsClasses.h"
#include "platform/gfx/ImageList.h"

namespace {

using forms::ClassBuilder;
using forms::FormReader;
using forms::FormValue;
using C = TadxRibbonCustomControl;

// "Controls = < item ... end >" of a collection whose items are all of its item class.
template <class T, class Get> void Items(ClassBuilder<T>& b, const char* name, Get get) {
    b.Define(name, [get](T& self, const FormValue& value, FormReader& reader) {
        TadxRibbonControls* controls = get(self);
        adxReadRibbonItems(reader, *controls, value, [controls](int) { return controls->Add(); });
    });
}

template <class T> void Id(ClassBuilder<T>& b) {
    b.Property("Id", &C::SetID);
}
template <class T> void IdMso(ClassBuilder<T>& b) {
    b.Property("IdMso", &C::SetIDMso);
}
template <class T> void Insert(ClassBuilder<T>& b) {
    b.Property("InsertAfterIdMso", &C::SetInsertAfterIdMso)
        .Property("InsertAfterId", &C::SetInsertAfterId)
        .Property("InsertBeforeIdMso", &C::SetInsertBeforeIdMso)
        .Property("InsertBeforeId", &C::SetInsertBeforeId);
}
template <class T> void Ribbons(ClassBuilder<T>& b) {
    b.SetOf("Ribbons", &C::SetRibbons, adxRibbonNames());
}
template <class T> void Tips(ClassBuilder<T>& b) {
    b.Property("ScreenTip", &C::SetScreenTip).Property("SuperTip", &C::SetSuperTip);
}
template <class T> void Image(ClassBuilder<T>& b) {
    b.Object("Glyph", [](T& self) { return self.GetGlyph(); })
        .Property("ImageIndex", &C::SetImageIndex)
        .Property("ImageMso", &C::SetImageMso);
}
template <class T> void Shown(ClassBuilder<T>& b) {
    b.Property("Enabled", &C::SetEnabled).Property("Visible", &C::SetVisible);
}
template <class T> void Size(ClassBuilder<T>& b) {
    b.Enum("Size", &C::SetSize, {"csRegular", "csLarge"});
}

// What a control that is shown with a label publishes in every class.
template <class T> ClassBuilder<T> Labelled(ClassBuilder<T> b) {
    Id(b);
    IdMso(b);
    Insert(b);
    Ribbons(b);
    Tips(b);
    Shown(b);
    b.Property("KeyTip", &C::SetKeyTip).Property("ShowCaption", &C::SetShowCaption);
    return b;
}

void RegisterContainers(forms::FormClassTable& table) {
    using K = TadxRibbonContainerControl;
    table.Register<K, C>()
        .Define("ControlTypes",
                [](K& self, const FormValue& value, FormReader& reader) {
                    try {
                        self.ReadControlTypes(forms::ReadBinary(value, reader));
                    } catch (const EReadError& e) {
                        reader.Fail(e.Message);
                    }
                })
        .Define("Controls_", [](K& self, const FormValue& value, FormReader& reader) {
            self.ReadControls(reader, value);
        });

    auto group = table.Register<TadxRibbonGroup, K>();
    Id(group);
    IdMso(group);
    Insert(group);
    Image(group);
    Ribbons(group);
    Tips(group);
    group.Property("KeyTip", &C::SetKeyTip).Property("Visible", &C::SetVisible);
    group.Property("Shared", &TadxRibbonGroup::Shared);

    auto box = table.Register<TadxRibbonBox, K>();
    Id(box);
    Insert(box);
    Ribbons(box);
    box.Property("Visible", &C::SetVisible).Property("Shared", &TadxRibbonBox::Shared);
    box.Enum("BoxStyle", &TadxRibbonBox::SetBoxStyle, {"bsHorizontal", "bsVertical"});

    auto buttonGroup = table.Register<TadxRibbonButtonGroup, K>();
    Id(buttonGroup);
    Insert(buttonGroup);
    Ribbons(buttonGroup);
    buttonGroup.Property("Visible", &C::SetVisible)
        .Property("Shared", &TadxRibbonButtonGroup::Shared);

    auto menu = Labelled(table.Register<TadxRibbonMenu, K>());
    Image(menu);
    Size(menu);
    menu.Property("Description", &C::SetDescription)
        .Property("Dynamic", &TadxRibbonMenu::SetDynamic)
        .Enum("ItemSize", &TadxRibbonMenu::ItemSize, {"Normal", "Large"})
        .Property("Title", &C::SetTitle)
        .Event("OnCreate", &TadxRibbonMenu::OnCreate);
}

void RegisterButtons(forms::FormClassTable& table) {
    auto button = Labelled(table.Register<TadxRibbonButton, C>());
    Image(button);
    Size(button);
    button.Property("Description", &C::SetDescription)
        .Property("Pressed", &C::SetPressed)
        .Property("ToggleButton", &TadxRibbonButton::ToggleButton)
        .Enum("ParseMsoXmlTypeAs", &TadxRibbonButton::ParseMsoXmlTypeAs,
              {"pxtDefault", "pxtControl"})
        .Event("OnClick", &TadxRibbonButton::OnClick);

    auto split = Labelled(table.Register<TadxRibbonSplitButton, C>());
    Image(split);
    Size(split);
    split.Property("Description", &C::SetDescription)
        .Property("Pressed", &C::SetPressed)
        .Property("ToggleButton", &TadxRibbonSplitButton::ToggleButton)
        .Event("OnClick", &TadxRibbonSplitButton::OnClick);
    Items(split, "Controls", [](TadxRibbonSplitButton& s) { return s.Controls(); });

    auto checkBox = Labelled(table.Register<TadxRibbonCheckBox, C>());
    checkBox.Property("Description", &C::SetDescription)
        .Property("Pressed", &C::SetPressed)
        .Event("OnClick", &TadxRibbonCheckBox::OnClick);

    Labelled(table.Register<TadxRibbonLabel, C>());

    auto launcher = table.Register<TadxRibbonDialogBoxLauncher, C>();
    Id(launcher);
    IdMso(launcher);
    Ribbons(launcher);
    Tips(launcher);
    Shown(launcher);
    launcher.Property("KeyTip", &C::SetKeyTip)
        .Event("OnClick", &TadxRibbonDialogBoxLauncher::OnClick);

    auto separator = table.Register<TadxRibbonSeparator, C>();
    Id(separator);
    Insert(separator);
    Ribbons(separator);
    auto menuSeparator = table.Register<TadxRibbonMenuSeparator, C>();
    Id(menuSeparator);
    Insert(menuSeparator);
    Ribbons(menuSeparator);
}

template <class T> void ListControl(ClassBuilder<T>& b) {
    Image(b);
    Items(b, "Items", [](T& self) { return self.Items(); });
    b.Property("SizeString", &T::SizeString)
        .Event("OnChange", &T::OnChange)
        .Event("OnItemPropertyChanging", &T::OnItemPropertyChanging);
}

void RegisterLists(forms::FormClassTable& table) {
    auto item = table.Register<TadxRibbonItem, C>();
    Id(item);
    Tips(item);
    item.Object("Glyph", [](TadxRibbonItem& self) { return self.GetGlyph(); })
        .Property("ImageIndex", &C::SetImageIndex);

    auto editBox = Labelled(table.Register<TadxRibbonEditBox, C>());
    Image(editBox);
    editBox.Property("MaxLength", &TadxRibbonEditBox::MaxLength)
        .Property("SizeString", &TadxRibbonEditBox::SizeString)
        .Property("Text", &C::SetText)
        .Event("OnChange", &TadxRibbonEditBox::OnChange);

    auto comboBox = table.Register<TadxRibbonComboBox, TadxRibbonEditBox>();
    Items(comboBox, "Items", [](TadxRibbonComboBox& self) { return self.Items(); });
    comboBox.Event("OnItemPropertyChanging", &TadxRibbonComboBox::OnItemPropertyChanging);

    auto dropDown = Labelled(table.Register<TadxRibbonDropDown, C>());
    ListControl(dropDown);
    Items(dropDown, "Controls", [](TadxRibbonDropDown& self) { return self.Controls(); });
    dropDown.Property("SelectedItemId", &C::SetSelectedItemId)
        .Property("SelectedItemIndex", &C::SetSelectedItemIndex)
        .Property("ShowItemCaption", &TadxRibbonDropDown::ShowItemCaption);

    auto gallery = Labelled(table.Register<TadxRibbonGallery, C>());
    ListControl(gallery);
    Size(gallery);
    Items(gallery, "Controls", [](TadxRibbonGallery& self) { return self.Controls(); });
    gallery.Property("SelectedItemId", &C::SetSelectedItemId)
        .Property("SelectedItemIndex", &C::SetSelectedItemIndex)
        .Property("ShowItemCaption", &TadxRibbonGallery::ShowItemCaption)
        .Property("Columns", &TadxRibbonGallery::SetColumns)
        .Property("Rows", &TadxRibbonGallery::SetRows)
        .Property("Description", &C::SetDescription)
        .Property("ItemHeight", &C::SetItemHeight)
        .Property("ItemWidth", &C::SetItemWidth);
}

void RegisterTab(forms::FormClassTable& table) {
    using T = TadxRibbonTab;
    auto tab = table.Register<T, TComponent>();
    tab.Property("Caption", &T::SetCaption)
        .Property("Context", &T::SetContext)
        .Property("Id", &T::SetID)
        .Property("IdMso", &T::SetIDMso)
        .Reference("Images", &T::SetImages)
        .Property("InsertAfterIdMso", &T::SetInsertAfterIdMso)
        .Property("InsertAfterId", &T::SetInsertAfterId)
        .Property("InsertBeforeIdMso", &T::SetInsertBeforeIdMso)
        .Property("InsertBeforeId", &T::SetInsertBeforeId)
        .Property("KeyTip", &T::SetKeyTip)
        .SetOf("Ribbons", &T::SetRibbons, adxRibbonNames())
        .Property("Shared", &T::SetShared)
        .Property("Visible", &T::SetVisible);
    Items(tab, "Controls", [](T& self) { return self.Controls(); });
}

} // namespace

void RegisterRibbonClasses(forms::FormClassTable& table) {
    gfx::RegisterGraphicsClasses(table);
    table.Register<C>()
        .Property("Caption", &C::SetCaption)
        .Property("Tag", &C::Tag)
        .Event("OnPropertyChanging", &C::OnPropertyChanging);
    RegisterContainers(table);
    RegisterButtons(table);
    RegisterLists(table);
    RegisterTab(table);
}
