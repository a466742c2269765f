// The sample's command bars, as an add-in for Outlook without a ribbon shows
// its commands: a toolbar with a button, a pop-up menu of two buttons and a
// combo box of colours, kept on ribbon hosts too; and an explorer bar shown
// in mail folders only. The handlers tell the user what was clicked.
#include "tests/sample/SampleModules.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/text/Text.h"

const char* SampleCommandBarsForm() {
    return R"(  object SampleToolbar: TadxCustomCommandBar
    CommandBarName = 'Sample Toolbar'
    ShowOnRibbonHosts = True
    ButtonTypes = {03000000 00000000 04000000 03000000}
    Buttons = <
      item
        Caption = 'Say &hello'
        OfficeTag = '{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E01}'
        ShortcutText = 'Ctrl+Shift+H'
        Style = adxMsoButtonCaption
        OnClick = HelloClick
      end
      item
        Caption = '&More'
        OfficeTag = '{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E02}'
        ButtonTypes = {02000000 00000000 00000000}
        Buttons = <
          item
            Caption = 'About the sample'
            OfficeTag = '{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E03}'
            OnClick = AboutClick
          end
          item
            Caption = 'Framework'
            OfficeTag = '{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E04}'
            BeginGroup = True
            Enabled = False
          end>
      end
      item
        Caption = 'Colour'
        OfficeTag = '{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E05}'
        Items.Strings = (
          'Red'
          'Green'
          'Blue')
        Text = 'Red'
        Width = 100
        OnChange = ColourChange
      end>
    PropertyChanged = 1
  end
  object SampleMailBar: TadxOlExplorerCustomCommandBar
    CommandBarName = 'Sample Mail'
    ItemTypes = [adxOLMailItem]
    ButtonTypes = {01000000 00000000}
    Buttons = <
      item
        Caption = 'Mail tools'
        OfficeTag = '{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E06}'
      end>
  end
)";
}

void TSampleModule::HelloClick(TObject*) {
    MessageDlg("Hello from the sample's toolbar.", mtInformation, {mbOK}, 0);
}

void TSampleModule::AboutClick(TObject*) {
    MessageDlg("The framework's sample add-in.", mtInformation, {mbOK}, 0);
}

void TSampleModule::ColourChange(TObject* Sender) {
    auto* combo = dynamic_cast<TadxCustomCommandBarComboBox*>(Sender);
    MessageDlg("Colour: " + (combo ? text::Narrow(combo->GetText()) : std::string("?")),
               mtInformation, {mbOK}, 0);
}

void RegisterSampleCommandBars(forms::FormClassTable& table) {
    table.Extend<TSampleModule>()
        .Method("HelloClick", &TSampleModule::HelloClick)
        .Method("AboutClick", &TSampleModule::AboutClick)
        .Method("ColourChange", &TSampleModule::ColourChange);
}
