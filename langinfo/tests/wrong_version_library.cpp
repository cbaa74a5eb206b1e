// A stand-in for libvernel.so built for another interface version.
extern "C" {
__attribute__((visibility("default"))) int vernel_interface_version(void) { return 99; }
__attribute__((visibility("default"))) int vernel_create_language_info(int, void** object) {
    // A library that hands out an object whatever it is asked for: the
    // loader must refuse it on the version alone.
    static int notAnObject = 0;
    if (object != nullptr) *object = &notAnObject;
    return 0;
}
}
