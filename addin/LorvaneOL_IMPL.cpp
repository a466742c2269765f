// The product's COM class and its server: the library's form class table,
// filled the first time its classes are needed, and the one class factory,
// made the first time the server is asked for (the library asks as it loads).
#include "addin/LorvaneOL_IMPL.h"

#include "addin/ProductDialogs.h"
#include "addin/dialogs/adxFrmFolders2.h"
#include "htmllabel/HTMLabel.h"

#include "platform/controls/ControlClasses.h"

TcoLorvaneOL::TcoLorvaneOL() {
    // IcoLorvaneOL has no members of its own: it is the object's IDispatch,
    // through which the host's late-bound ribbon calls come.
    AddDispatchInterface(IID_IcoLorvaneOL);
}

namespace {

// The module classes: all that registration needs.
void RegisterLorvaneModules(forms::FormClassTable& table) {
    RegisterFrameworkModuleClass(table);
    RegisterAddInModule(table);
}

void RegisterLorvaneOthers(forms::FormClassTable& table) {
    RegisterFrameworkComponentClasses(table);
    controls::RegisterControlClasses(table);
    htmllabel::RegisterHTMLabelClasses(table);
    RegisterFolderPicker(table);
    RegisterProductDialogs(table);
}

forms::FormClassesOnDemand& LorvaneClasses() {
    static forms::FormClassesOnDemand classes(&RegisterLorvaneModules, &RegisterLorvaneOthers);
    return classes;
}

} // namespace

const forms::FormClassTable& LorvaneFormClasses() {
    return LorvaneClasses().Get();
}

ComServer& LorvaneServer() {
    // The tables' holder first, so that the tables outlive the factory that
    // refers to them; the classes themselves are registered on first use.
    forms::FormClassesOnDemand& classes = LorvaneClasses();
    static ComServer server(LorvaneTypeLibrary);
    static TadxFactory& factory = TadxFactory::Create<TcoLorvaneOL, TAddInModule>(
        server, CLASS_coLorvaneOL, classes, "coLorvaneOL Object");
    static const bool described = (factory.SetTypeLibrary(LIBID_LorvaneOL, IID_IcoLorvaneOL), true);
    (void)described;
    return server;
}
