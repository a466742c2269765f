// The add-in's own exception class. Its handlers raise it for failures of
// their own (a folder that cannot be made, a mutex that is not free, a
// configuration file that does not read) and catch it with the rest, to log
// it; it sits apart from the log so that the data folder, which the log
// writes into, and the log do not need each other.
#pragma once

#include "platform/rtl/Exception.h"

// The add-in's own failures, with a formatted message.
class EQelError : public Exception {
public:
    using Exception::Exception;
};
