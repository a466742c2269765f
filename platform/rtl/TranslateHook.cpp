// The one walk over open components that language pack loaders run.
#include "platform/rtl/TranslateHook.h"

#include <mutex>
#include <utility>

namespace platform {
namespace {

std::mutex& WalkerLock() {
    static std::mutex lock;
    return lock;
}

TranslateWalker& Walker() {
    static TranslateWalker walker;
    return walker;
}

} // namespace

TranslateWalker SetTranslateWalker(TranslateWalker walker) {
    std::lock_guard<std::mutex> guard(WalkerLock());
    return std::exchange(Walker(), std::move(walker));
}

void TranslateOpenComponents(const GUID& iid, const TranslateVisitor& visitor) {
    TranslateWalker walker;
    {
        std::lock_guard<std::mutex> guard(WalkerLock());
        walker = Walker();
    }
    // Run outside the lock: a component that translates itself may load
    // another pack, or open and close forms, and so come back here.
    if (walker)
        walker(iid, visitor);
}

} // namespace platform
