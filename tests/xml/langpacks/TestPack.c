/* A language pack that is broken in one way, chosen when it is compiled. */
#include <stdbool.h>
#include <stdint.h>
#include <stdlib.h>

#ifndef TESTPACK_NO_INIT
bool InitLanguageDll(void) {
#ifdef TESTPACK_INIT_FAILS
    return false;
#else
    return true;
#endif
}
#endif

#ifndef TESTPACK_NO_TRANSLATE
const char* Translate(int32_t group, int32_t id, const char* defaultFormat) {
    (void)group;
    (void)id;
    return defaultFormat;
}
#endif

/* Leaves a mark the test can see once the library is gone. */
void FinalizeLanguageDll(void) {
    setenv("RW_TESTPACK_FINALIZED", "1", 1);
}
