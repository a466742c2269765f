// Registration of the table-driven host event components' form classes:
// each row's handler is a stored event of its component.
#include "framework/events/HostEventsClasses.h"
#include "framework/events/OfficeHostEvents.h"
#include "platform/forms/FormClassBuilder.h"

namespace {

template <class E> void RegisterTableEvents(forms::FormClassTable& table, TadxOfficeHostApp host) {
    auto builder = table.Register<E, TadxTableEvents>();
    for (const TadxEventMethod& row : adxHostEventTable(host)) {
        std::string name = row.Handler;
        // Word's Startup is bound to its notify handler below.
        if (std::is_same_v<E, TadxWordAppEvents> && row.Id == 0x1)
            continue;
        builder.Define(name, [name](E& self, const forms::FormValue& value,
                                    forms::FormReader& reader) {
            self.Handler(name) = reader.template BindMethod<void(TObject*, TadxEventArgs&)>(value);
        });
    }
}

} // namespace

void adxRegisterTableEventsClasses(forms::FormClassTable& table) {
    table.Register<TadxTableEvents, TadxCustomEvents>();
    RegisterTableEvents<TadxWordAppEvents>(table, ohaWord);
    table.Extend<TadxWordAppEvents>().Event("OnStartup", &TadxWordAppEvents::OnStartup);
    RegisterTableEvents<TadxExcelAppEvents>(table, ohaExcel);
    RegisterTableEvents<TadxProjectAppEvents>(table, ohaProject);
    RegisterTableEvents<TadxPowerPointAppEvents>(table, ohaPowerPoint);
    RegisterTableEvents<TadxFrontPageAppEvents>(table, ohaFrontPage);
    RegisterTableEvents<TadxMapPointAppEvents>(table, ohaMapPoint);
    RegisterTableEvents<TadxVisioAppEvents>(table, ohaVisio);
    RegisterTableEvents<TadxPublisherAppEvents>(table, ohaPublisher);
    RegisterTableEvents<TadxInfoPathAppEvents>(table, ohaInfoPath);
}
