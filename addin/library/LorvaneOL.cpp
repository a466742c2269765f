// LorvaneOL.so's entry points, the only symbols the library exports. Its
// class factory is made as the library loads, before any host asks for it.
#include "addin/LorvaneOL_IMPL.h"

namespace {

[[maybe_unused]] const bool factoryMade = (LorvaneServer(), true);

} // namespace

COM_SERVER_ENTRY_POINTS(LorvaneServer())
