// The walk over open components that offer an interface, and its installation
// as the platform's translation walk.
#include "platform/forms/InterfacedComponent.h"

#include "platform/forms/Screen.h"
#include "platform/rtl/TranslateHook.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {

// The components still to be visited, each crossed off when it is freed:
// a visit may close a form or free components further down the list.
class TPendingVisits : public TComponent {
public:
    TPendingVisits() : TComponent(nullptr) {}
    ~TPendingVisits() override {
        // Withdrawn quietly, so that the components are not told of a helper's end.
        for (const Visit& visit : visits_)
            if (visit.component)
                RemoveFreeNotification(visit.component);
    }

    // Adds a component with its interface, once.
    void Add(TComponent& component, void* intf) {
        if (!seen_.insert(&component).second)
            return;
        visits_.push_back({&component, intf});
        FreeNotification(&component);
    }

    // Visits every component still alive, in the order added.
    void Run(const std::function<void(void*)>& visit) {
        // Each entry is read at its turn: an earlier visit may have crossed it off.
        for (const Visit& entry : visits_)
            if (entry.component)
                visit(entry.intf);
    }

    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove)
            for (Visit& visit : visits_)
                if (visit.component == AComponent)
                    visit.component = nullptr;
        TComponent::Notification(AComponent, Operation);
    }

private:
    struct Visit {
        TComponent* component;
        void* intf;
    };
    std::vector<Visit> visits_;
    std::unordered_set<TComponent*> seen_;
};

// Installs the walk when the platform library is loaded.
[[maybe_unused]] const bool walkInstalled = [] {
    platform::SetTranslateWalker(&forms::ForEachOpenComponentOffering);
    return true;
}();

} // namespace

namespace forms {

void ForEachOpenComponentOffering(const GUID& iid, const std::function<void(void* intf)>& visit) {
    TPendingVisits pending;
    ForEachOpenComponent([&](TComponent& component) {
        if (void* intf = component.GetInterface(iid))
            pending.Add(component, intf);
    });
    pending.Run(visit);
}

} // namespace forms
