// The log's window and its save request: the report in a read-only text area
// with both scroll bars, and a "Save as ..." menu item that asks the user for
// a text file.
#include "framework/support/FrameworkLog.h"

#include "platform/controls/Form.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "platform/forms/FileDialogs.h"
#include "platform/rtl/DateFormat.h"
#include "platform/win/Clock.h"

#include <memory>

namespace {

struct FormFree {
    void operator()(TForm* form) const { form->Free(); }
};

} // namespace

void TLog::SaveMessages() {
    TSaveDialog dialog(nullptr);
    dialog.Filter = "Text files (*.txt)|*.TXT";
    dialog.DefaultExt = "txt";
    if (dialog.Execute())
        Save(dialog.FileName);
}

void TLog::ShowMessages(const std::string& caption) {
    std::string report;
    {
        std::lock_guard<std::mutex> guard(lock_);
        AddLineLocked("Show time: " + DateTimeToStr(Now()), true);
        report = ReportLocked();
    }
    std::unique_ptr<TForm, FormFree> form(new TForm(nullptr));
    form->SetCaption(caption);
    form->SetPosition(poScreenCenter);
    form->SetBorderIcons(TBorderIcons{biSystemMenu});
    auto* menu = new TMainMenu(form.get());
    auto* save = new TMenuItem(form.get());
    save->SetCaption("Save as ...");
    save->OnClick = [this](TObject*) { SaveMessages(); };
    menu->Items()->Add(save);
    form->SetMenu(menu);
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetAlign(alClient);
    memo->SetReadOnly(true);
    memo->SetScrollBars(ssBoth);
    memo->Lines()->SetText(report);
    form->ShowModal();
}
