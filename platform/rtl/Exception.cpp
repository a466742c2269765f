// The class library's Abort.
#include "platform/rtl/Exception.h"

#include "platform/rtl/RtlConsts.h"

void Abort() {
    throw EAbort(RtlConsts::SOperationAborted);
}
