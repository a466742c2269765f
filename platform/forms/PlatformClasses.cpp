// The platform's own form classes, registered in every library's table.
#include "platform/forms/DataModule.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/forms/Timer.h"
#include "platform/rtl/StringList.h"

namespace forms {

void RegisterPlatformClasses(FormClassTable& table) {
    // String lists are stored as "Lines.Strings = ( 'a' 'b' )" under the
    // object property that holds them.
    table.Register<TStrings>().Define(
        "Strings", [](TStrings& self, const FormValue& value, FormReader& reader) {
            std::vector<std::string> strings = ReadStrings(value, reader);
            self.Clear();
            for (const std::string& s : strings)
                self.Add(s);
        });
    table.Register<TStringList, TStrings>();
    table.Register<TComponent>()
        .Property("Name", &TComponent::SetName)
        .Property("Tag", &TComponent::SetTag);
    table.Register<TDataModule, TComponent>()
        .FormBase()
        .Event("OnCreate", &TDataModule::OnCreate)
        .Event("OnDestroy", &TDataModule::OnDestroy);
    table.Register<TSaveDialog, TComponent>()
        .Property("Title", &TSaveDialog::Title)
        .Property("Filter", &TSaveDialog::Filter)
        .Property("DefaultExt", &TSaveDialog::DefaultExt)
        .Property("FileName", &TSaveDialog::FileName);
    table.Register<TTimer, TComponent>()
        .Property("Enabled", &TTimer::SetEnabled)
        .Property("Interval", &TTimer::SetInterval)
        .Event("OnTimer", &TTimer::OnTimer);
}

} // namespace forms
