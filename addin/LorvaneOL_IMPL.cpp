// The product's COM class and its server: the library's form class table and
// the one class factory, made the first time the server is asked for (the
// library asks as it loads).
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

const forms::FormClassTable& LorvaneFormClasses() {
    static forms::FormClassTable table;
    static const bool registered =
        (RegisterFrameworkClasses(table), controls::RegisterControlClasses(table),
         RegisterAddInModule(table), htmllabel::RegisterHTMLabelClasses(table),
         RegisterFolderPicker(table), RegisterProductDialogs(table), true);
    (void)registered;
    return table;
}

ComServer& LorvaneServer() {
    // The table first, so that it outlives the factory that refers to it.
    const forms::FormClassTable& classes = LorvaneFormClasses();
    static ComServer server(LorvaneTypeLibrary);
    static TadxFactory& factory = TadxFactory::Create<TcoLorvaneOL, TAddInModule>(
        server, CLASS_coLorvaneOL, classes, "coLorvaneOL Object");
    static const bool described = (factory.SetTypeLibrary(LIBID_LorvaneOL, IID_IcoLorvaneOL), true);
    (void)described;
    return server;
}
