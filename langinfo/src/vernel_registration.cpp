// The component's identity: class id, ProgIDs, interface and type library ids.
#include "tarvo/langinfo/vernel_registration.h"

namespace tarvo::langinfo {

std::string_view registrationValue(int item) {
    switch (static_cast<RegistrationItem>(item)) {
        case RegistrationItem::ClassId: return kClassId;
        case RegistrationItem::ProgId: return kProgId;
        case RegistrationItem::VersionIndependentProgId: return kVersionIndependentProgId;
        case RegistrationItem::ClassDescription: return kClassDescription;
        case RegistrationItem::InterfaceId: return kInterfaceId;
        case RegistrationItem::InterfaceName: return kInterfaceName;
        case RegistrationItem::TypeLibraryId: return kTypeLibraryId;
        case RegistrationItem::TypeLibraryName: return kTypeLibraryName;
        case RegistrationItem::TypeLibraryVersion: return kTypeLibraryVersion;
        case RegistrationItem::ThreadingModel: return kThreadingModel;
    }
    return {};
}

}  // namespace tarvo::langinfo
