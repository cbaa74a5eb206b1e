// A shared library that is not the component at all.
extern "C" __attribute__((visibility("default"))) int some_other_library_function(void) {
    return 7;
}
