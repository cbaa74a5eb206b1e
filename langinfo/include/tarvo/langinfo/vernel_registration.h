// The component's identity: class id, ProgIDs, interface and type library ids.
#pragma once

#include <string_view>

namespace tarvo::langinfo {

/// The items a caller may ask the library for (the values Windows keeps in
/// its registry). The numbers cross the C entry point and never change.
enum class RegistrationItem : int {
    ClassId = 1,
    ProgId = 2,
    VersionIndependentProgId = 3,
    ClassDescription = 4,
    InterfaceId = 5,
    InterfaceName = 6,
    TypeLibraryId = 7,
    TypeLibraryName = 8,
    TypeLibraryVersion = 9,
    ThreadingModel = 10,
};

inline constexpr std::string_view kClassId = "{9A3378C6-A6AC-48E3-A2FF-EB5E1B77195F}";
inline constexpr std::string_view kProgId = "Vernel.LanguageInfo.1";
inline constexpr std::string_view kVersionIndependentProgId = "Vernel.LanguageInfo";
inline constexpr std::string_view kClassDescription = "LanguageInfo Class";
inline constexpr std::string_view kInterfaceId = "{80C24D9A-A0E8-43C7-A4CF-63CC8A245E77}";
inline constexpr std::string_view kInterfaceName = "ILanguageInfo";
inline constexpr std::string_view kTypeLibraryId = "{3FCC8406-DDC5-4BD6-9136-DAFC05D452C7}";
inline constexpr std::string_view kTypeLibraryName = "VERNELLib";
inline constexpr std::string_view kTypeLibraryVersion = "1.0";
inline constexpr std::string_view kThreadingModel = "Apartment";

/// The value of one item; empty for a number that names no item.
std::string_view registrationValue(int item);

}  // namespace tarvo::langinfo
