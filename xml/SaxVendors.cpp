// The SAX vendor registry.
#include "xml/SaxVendors.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct Registry {
    std::mutex lock;
    std::vector<std::unique_ptr<TSAXVendor>> vendors;
    SAXString defaultVendor;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

void RegisterSAXVendor(TSAXVendor* vendor) {
    if (!vendor)
        return;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    for (auto& registered : r.vendors) {
        // Freeing the old object when it is the new one would leave the
        // registry holding a dangling pointer.
        if (registered.get() == vendor)
            return;
    }
    SAXString description = vendor->Description();
    for (auto& registered : r.vendors) {
        if (registered->Description() == description) {
            registered.reset(vendor);
            return;
        }
    }
    r.vendors.emplace_back(vendor);
}

void UnregisterSAXVendor(TSAXVendor* vendor) {
    if (!vendor)
        return;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto same = std::find_if(r.vendors.begin(), r.vendors.end(),
                             [&](const auto& registered) { return registered.get() == vendor; });
    if (same == r.vendors.end()) {
        SAXString description = vendor->Description();
        same = std::find_if(r.vendors.begin(), r.vendors.end(), [&](const auto& registered) {
            return registered->Description() == description;
        });
    }
    if (same != r.vendors.end())
        r.vendors.erase(same);
}

void ClearVendors() {
    Registry& r = TheRegistry();
    std::vector<std::unique_ptr<TSAXVendor>> vendors;
    {
        std::lock_guard<std::mutex> guard(r.lock);
        vendors.swap(r.vendors);
    }
}

TSAXVendor* GetSAXVendor(const SAXString& description) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    for (auto& registered : r.vendors)
        if (registered->Description() == description)
            return registered.get();
    return nullptr;
}

TSAXVendor* GetSAXVendor() {
    return GetSAXVendor(DefaultSAXVendor());
}

SAXString DefaultSAXVendor() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.defaultVendor;
}

void SetDefaultSAXVendor(const SAXString& description) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.defaultVendor = description;
}
