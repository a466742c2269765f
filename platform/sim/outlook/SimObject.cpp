// The shared part of the simulated Outlook's objects: failing members, event
// firing, the live-object and advised-sink counts.
#include "platform/sim/outlook/SimObject.h"

#include "platform/text/Text.h"

#include <algorithm>

namespace sim {
namespace {

// Every live object, so that the advised sinks can be counted over all of them.
std::vector<const OutlookObjectCore*>& LiveObjects() {
    static std::vector<const OutlookObjectCore*> objects;
    return objects;
}

} // namespace

ComObjectCount& OutlookObjectCount() {
    static ComObjectCount count;
    return count;
}

size_t OutlookSinkCount() {
    size_t sinks = 0;
    for (const OutlookObjectCore* object : LiveObjects())
        sinks += object->SinkCount();
    return sinks;
}

std::string OutlookSinkReport() {
    std::string report;
    for (const OutlookObjectCore* object : LiveObjects())
        if (size_t sinks = object->SinkCount())
            report += std::string(object->KindName()) + ": " + std::to_string(sinks) + "\n";
    return report;
}

OutlookObjectCore* FindOutlookObject(IUnknown* object) noexcept {
    if (!object)
        return nullptr;
    for (const OutlookObjectCore* candidate : LiveObjects())
        if (candidate->IsObject(object))
            return const_cast<OutlookObjectCore*>(candidate);
    return nullptr;
}

OutlookObjectCore::OutlookObjectCore(IConnectionPointContainer* self, const char* kind)
    : Events(self), self_(self), kind_(kind) {
    LiveObjects().push_back(this);
}

OutlookObjectCore::~OutlookObjectCore() {
    auto& objects = LiveObjects();
    objects.erase(std::remove(objects.begin(), objects.end(), this), objects.end());
}

bool OutlookObjectCore::IsObject(IUnknown* object) const noexcept {
    return IsSameObject(self_, object);
}

void OutlookObjectCore::FailMember(std::string_view name, HRESULT code) {
    failing_[text::UpperCase(text::Wide(name))] = code;
}

void OutlookObjectCore::RestoreMember(std::string_view name) {
    failing_.erase(text::UpperCase(text::Wide(name)));
}

void OutlookObjectCore::TearDown() {
    tornDown_ = true;
}

void OutlookObjectCore::CheckCall(const std::u16string& member) const {
    if (tornDown_)
        throw EOleSysError("The operation failed because the object was deleted or Outlook closed.",
                           OutlookObjectGone);
    if (failing_.empty() || member.empty())
        return;
    auto it = failing_.find(text::UpperCase(member));
    if (it != failing_.end())
        throw EOleSysError("The operation failed.", it->second);
}

size_t OutlookObjectCore::Fire(DISPID id, std::vector<Variant> args) {
    if (tornDown_)
        return 0;
    DispArgs call(std::move(args));
    return Events.FireAll(id, call.Params());
}

} // namespace sim
