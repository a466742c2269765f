/* A small library for the module loading tests: one exported function and
   one exported value, found beside the test program. */
int CompanionValue = 7;

int CompanionAnswer(void) {
    return 42;
}
