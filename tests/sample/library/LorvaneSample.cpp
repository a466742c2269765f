// LorvaneSample.so's entry points, the only symbols the library exports. Its
// class factory is made as the library loads, before any host asks for it.
#include "tests/sample/LorvaneSample.h"

namespace {

[[maybe_unused]] const bool factoryMade = (SampleServer(), true);

} // namespace

COM_SERVER_ENTRY_POINTS(SampleServer())
