// The C entry points of libvernel.so.
#include "tarvo/langinfo/vernel_entry.h"

#include "tarvo/langinfo/fontconfig_font_check.h"
#include "tarvo/langinfo/language_info.h"
#include "tarvo/langinfo/vernel_registration.h"

#define VERNEL_EXPORT __attribute__((visibility("default")))

using namespace tarvo::langinfo;

extern "C" {

VERNEL_EXPORT int vernel_interface_version(void) { return kVernelInterfaceVersion; }

VERNEL_EXPORT int vernel_create_language_info(int interfaceVersion, void** object) {
    if (object == nullptr) return kVernelCreateNullPointer;
    *object = nullptr;
    if (interfaceVersion != kVernelInterfaceVersion) return kVernelCreateWrongVersion;
    FontconfigFontCheck fonts;
    LanguageInfo* info = LanguageInfo::create(fonts);
    if (info == nullptr) return kVernelCreateOutOfMemory;
    *object = static_cast<ILanguageInfo*>(info);
    return kVernelCreateOk;
}

VERNEL_EXPORT const char* vernel_registration_value(int item) {
    // Every value is a string literal, so its data is NUL-terminated.
    std::string_view value = registrationValue(item);
    return value.empty() ? nullptr : value.data();
}

VERNEL_EXPORT int vernel_can_unload(void) { return LanguageInfo::liveObjects() == 0 ? 1 : 0; }
}
