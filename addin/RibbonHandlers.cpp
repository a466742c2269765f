// The product's ribbon handlers: the individual actions of the new-mail
// tab's split button and menu, and the explorer tab's buttons, which lead to
// the configuration dialog, the support page and the about box.
#include "addin/LorvaneOL_IMPL.h"

#include "framework/ribbon/RibbonButtons.h"

void TAddInModule::DoIndividualActionClick(TObject* Sender, IRibbonControl*) {
    // A plain ribbon button carries its action in Tag; the split button is
    // "Track + Send".
    TadxRibbonButton* button = TadxRibbonCustomControl::AsRibbonButton(Sender);
    DoIndividualAction(button ? static_cast<TIndividualAction>(button->Tag)
                              : TIndividualAction::Combined);
}

void TAddInModule::adxRibbonTab1Controls0Controls0Controls0Controls0Click(TObject*,
                                                                          IRibbonControl*) {
    DefineDefaultAction();
}

void TAddInModule::adxRibbonTab1Controls0Controls0Controls0Controls3Click(TObject*,
                                                                          IRibbonControl*) {
    Help();
}

void TAddInModule::adxRibbonTab1Controls0Controls0Controls0Controls4Click(TObject*,
                                                                          IRibbonControl*) {
    ShowAbout();
}
