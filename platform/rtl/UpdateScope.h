// BeginUpdate and EndUpdate as a scope: the update ends however the scope is
// left, so that an exception in the middle of a batch of changes does not leave
// a string list or a collection holding back its notifications for ever.
#pragma once

// Calls BeginUpdate on construction and EndUpdate on destruction.
template <class T> class TUpdateScope {
public:
    explicit TUpdateScope(T& target) : target_(target) { target_.BeginUpdate(); }
    ~TUpdateScope() { target_.EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    T& target_;
};
