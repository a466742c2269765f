// The one rule for handlers that free their caller.
//
// An event handler may free the object that fires it: an add-in turned off
// from its own start-up event frees its module, a button whose click closes
// its form frees the button, a sink unadvised from inside its own call frees
// the sink. Whoever fires a handler that can do that holds a TLiveness (as a
// member, so that it ends with the object) and fires through FireSurvives,
// or takes a Watch before the call and asks it after:
//
//   if (!FireSurvives(liveness_, OnClick, this))
//       return;              // freed: touch no member, report nothing
//   ... go on with the object ...
//
// The handler is copied before it runs (the std::function it came from may
// go with its owner), and an exception that the handler raises after freeing
// its caller must not be reported through the freed object: catch it, then
// ask the watch before reporting.
//
// An object that stays in memory but must stop answering (a module whose
// connection ended, a control torn down while its event runs) calls End().
// There is no other liveness flag in the code: every such site uses this.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

namespace rtl {

// Tells, after a call, whether the object that holds the TLiveness lives on.
class TLifeWatch {
public:
    // A watch of nothing: never alive.
    TLifeWatch() = default;
    // True while the watched object lives and has not ended.
    bool Alive() const noexcept { return token_ && *token_; }
    explicit operator bool() const noexcept { return Alive(); }

private:
    friend class TLiveness;
    explicit TLifeWatch(std::shared_ptr<const bool> token) : token_(std::move(token)) {}
    std::shared_ptr<const bool> token_;
};

// A member of every object whose handlers may free it: its end is the
// object's end. A copied object has a life of its own, so copies start anew.
class TLiveness {
public:
    TLiveness() = default;
    TLiveness(const TLiveness&) : TLiveness() {}
    TLiveness& operator=(const TLiveness&) noexcept { return *this; }
    ~TLiveness() { End(); }

    // A watch to ask after a call that may have freed the holder.
    TLifeWatch Watch() const { return TLifeWatch(token_); }
    // Ends the holder's life early: every watch taken so far reads dead.
    // Watches taken afterwards read dead too.
    void End() noexcept {
        if (token_)
            *token_ = false;
    }
    // False once End has been called.
    bool Alive() const noexcept { return token_ && *token_; }

private:
    std::shared_ptr<bool> token_ = std::make_shared<bool>(true);
};

// Fires handler(args...) when it is assigned and tells whether the holder of
// caller survived the call. The handler is copied first. Exceptions pass
// through: catch them and ask a watch before reporting them.
// A handler that cannot be unassigned (a lambda with captures) always runs.
template <class Handler, class... Args>
bool FireSurvives(const TLiveness& caller, const Handler& handler, Args&&... args) {
    TLifeWatch watch = caller.Watch();
    bool assigned = true;
    if constexpr (std::is_constructible_v<bool, const Handler&>)
        assigned = static_cast<bool>(handler);
    if (assigned) {
        Handler copy = handler;
        copy(std::forward<Args>(args)...);
    }
    return watch.Alive();
}

} // namespace rtl
