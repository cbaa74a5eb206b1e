// The C entry points of libvernel.so, looked up with dlsym by its callers.
#pragma once

#include "tarvo/langinfo/i_language_info.h"

namespace tarvo::langinfo {

/// The layout of ILanguageInfo this build speaks. Raised whenever the
/// interface class changes, so a caller can refuse an incompatible library.
inline constexpr int kVernelInterfaceVersion = 1;

/// Results of vernel_create_language_info.
inline constexpr int kVernelCreateOk = 0;
inline constexpr int kVernelCreateNullPointer = -1;
inline constexpr int kVernelCreateWrongVersion = -2;
inline constexpr int kVernelCreateOutOfMemory = -3;

/// Symbol names, for dlsym.
inline constexpr const char* kInterfaceVersionSymbol = "vernel_interface_version";
inline constexpr const char* kCreateSymbol = "vernel_create_language_info";
inline constexpr const char* kRegistrationSymbol = "vernel_registration_value";
inline constexpr const char* kCanUnloadSymbol = "vernel_can_unload";

using InterfaceVersionFunction = int (*)();
using CreateFunction = int (*)(int interfaceVersion, void** object);
using RegistrationFunction = const char* (*)(int item);
using CanUnloadFunction = int (*)();

}  // namespace tarvo::langinfo

extern "C" {

/// The interface version the library implements (kVernelInterfaceVersion).
int vernel_interface_version(void);

/// Creates a LanguageInfo object with one reference and stores its
/// tarvo::langinfo::ILanguageInfo* in *object. Answers kVernelCreateOk, or a
/// negative result with *object set to null (when object is not null).
int vernel_create_language_info(int interfaceVersion, void** object);

/// One registration item (tarvo::langinfo::RegistrationItem) as a
/// NUL-terminated string owned by the library; null for an unknown item.
const char* vernel_registration_value(int item);

/// 1 when no object of the library is alive, so it may be unloaded.
int vernel_can_unload(void);
}
