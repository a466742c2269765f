// Raising the framework's errors.
#include "framework/support/FrameworkErrors.h"

#include "platform/rtl/Format.h"

namespace adx {

void RaiseError(HRESULT code, std::string_view pattern, std::initializer_list<TVarRec> args) {
    throw EOleSysError(args.size() ? Format(pattern, args) : std::string(pattern), code);
}

} // namespace adx
