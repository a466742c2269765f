// The property pages collection that Outlook hands to OptionsPagesAdd when
// its options dialog or a folder's properties dialog is built: add-ins add
// their pages to it. The simulation keeps what was added.
#pragma once

#include "platform/sim/outlook/SimObject.h"

#include <string>
#include <vector>

namespace sim {

class SimApplication;

class SimPropertyPages final : public OutlookObject<> {
public:
    static ComPtr<SimPropertyPages> Create(SimApplication* app);

    // One page added: the page (a control or its ProgID) and its title.
    struct Page {
        Variant Control;
        std::u16string Title;
    };
    const std::vector<Page>& Pages() const noexcept { return pages_; }

    void TearDown() override;

private:
    friend struct ::ComMaker;
    explicit SimPropertyPages(SimApplication* app);

    ComPtr<SimApplication> app_;
    std::vector<Page> pages_;
};

} // namespace sim
