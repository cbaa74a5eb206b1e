// A stand-in for libvernel.so that speaks the interface version but serves
// another class: the loader must not even ask it for an object.
#include <cstdlib>

extern "C" {
__attribute__((visibility("default"))) int vernel_interface_version(void) { return 1; }
__attribute__((visibility("default"))) const char* vernel_registration_value(int item) {
    return item == 1 ? "{00000000-0000-0000-0000-000000000000}" : nullptr;
}
__attribute__((visibility("default"))) int vernel_create_language_info(int, void**) {
    std::abort();
}
}
