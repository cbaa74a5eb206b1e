// Loads libvernel.so on first use and keeps its LanguageInfo object.
#include "tarvo/langinfo/loader/vernel_loader.h"

#include <dlfcn.h>

#include <string_view>

#include "tarvo/common/paths.h"
#include "tarvo/langinfo/vernel_entry.h"
#include "tarvo/langinfo/vernel_registration.h"

namespace tarvo::langinfo {

VernelLoader::VernelLoader(MessageReporter& reporter)
    : VernelLoader(reporter, defaultLibraryPaths()) {}

VernelLoader::VernelLoader(MessageReporter& reporter, std::vector<std::string> libraryPaths)
    : reporter_(reporter), libraryPaths_(std::move(libraryPaths)) {}

VernelLoader::~VernelLoader() {
    // The object's code lives in the library: release it before unloading.
    if (info_ != nullptr) info_->release();
    if (library_ != nullptr) ::dlclose(library_);
}

std::vector<std::string> VernelLoader::defaultLibraryPaths() {
    const std::string dir = programDir();
    return {joinPath(dir, kVernelLibraryName),
            joinPath(joinPath(dir, "../lib"), kVernelLibraryName)};
}

bool VernelLoader::tryLibrary(const std::string& path) {
    // RTLD_LOCAL keeps a wrong library's symbols from leaking into the process.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return false;

    // The right library speaks our interface version and serves the
    // LanguageInfo class; only then is it asked for an object.
    auto version = reinterpret_cast<InterfaceVersionFunction>(
        ::dlsym(handle, kInterfaceVersionSymbol));
    auto registration =
        reinterpret_cast<RegistrationFunction>(::dlsym(handle, kRegistrationSymbol));
    auto create = reinterpret_cast<CreateFunction>(::dlsym(handle, kCreateSymbol));
    bool right = version != nullptr && registration != nullptr && create != nullptr &&
                 version() == kVernelInterfaceVersion;
    if (right) {
        const char* classId = registration(static_cast<int>(RegistrationItem::ClassId));
        right = classId != nullptr && std::string_view(classId) == kClassId;
    }
    void* object = nullptr;
    if (!right || create(kVernelInterfaceVersion, &object) != kVernelCreateOk ||
        object == nullptr) {
        ::dlclose(handle);
        return false;
    }

    auto* info = static_cast<ILanguageInfo*>(object);
    int16_t count = 0;
    if (info->putAllowDoublebyte(1) != VernelResult::Ok ||
        info->getLanguageCount(&count) != VernelResult::Ok) {
        info->release();
        ::dlclose(handle);
        return false;
    }
    library_ = handle;
    info_ = info;
    lastLanguageIndex_ = count - 1;
    loadedPath_ = path;
    return true;
}

ILanguageInfo* VernelLoader::languageInfo() {
    if (info_ != nullptr) return info_;
    for (const std::string& path : libraryPaths_) {
        if (tryLibrary(path)) return info_;
    }
    reporter_.showMessage(kVernelFailureText, kVernelFailureCaption, MessageIcon::Warning);
    return nullptr;
}

std::optional<PromptLanguageInfo> VernelLoader::promptLanguage(const std::string& languageCode) {
    ILanguageInfo* info = languageInfo();
    if (info == nullptr) return std::nullopt;

    std::string code = languageCode;
    // ASCII only: the codes are ASCII, and the process locale must not matter.
    for (char& c : code) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }

    PromptLanguageInfo answer;
    info->fontName(code, 1, &answer.fontName);
    info->charSet(code, 1, &answer.charSet);
    info->doublebyte(code, 1, &answer.doublebyte);
    info->codepage(code, 1, &answer.codepage);
    return answer;
}

}  // namespace tarvo::langinfo
