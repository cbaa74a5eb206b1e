// Loads libvernel.so on first use and keeps its LanguageInfo object.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tarvo/langinfo/i_language_info.h"
#include "tarvo/langinfo/loader/message_reporter.h"
#include "tarvo/langinfo/loader/prompt_language_info.h"

namespace tarvo::langinfo {

/// The message and caption shown when the component cannot be had.
inline constexpr const char* kVernelFailureText = "Fatal error with VERNEL.DLL.\nCall Engineering.";
inline constexpr const char* kVernelFailureCaption = "DLL Error";

/// The file name of the component library.
inline constexpr const char* kVernelLibraryName = "libvernel.so";

/// The generator's hold on the language component. The library is loaded
/// and the object created on the first request; a failed attempt shows one
/// "DLL Error" message and the request answers nothing, and the next request
/// tries again. Once created, the object lives as long as the loader.
/// Used on one thread, like the object it holds.
class VernelLoader {
public:
    /// Looks for the library beside the program, then in ../lib.
    explicit VernelLoader(MessageReporter& reporter);
    /// Looks for the library at the given paths, in order (for tests).
    VernelLoader(MessageReporter& reporter, std::vector<std::string> libraryPaths);
    ~VernelLoader();

    VernelLoader(const VernelLoader&) = delete;
    VernelLoader& operator=(const VernelLoader&) = delete;

    /// The default search order: beside the program, then ../lib.
    static std::vector<std::string> defaultLibraryPaths();

    /// The component object, created on first use; null when it cannot be
    /// had (the failure has then been reported once). Owned by the loader.
    ILanguageInfo* languageInfo();

    /// Index of the last language of the component's list (count - 1); -1
    /// without the component. Does not try to load.
    int lastLanguageIndex() const { return lastLanguageIndex_; }

    /// Font, character set, double-byte flag and code page of a language
    /// code of the generator ("Chs", "Wst12", ...). The code is lower-cased
    /// and asked for as a locale code, so Western codes get English's values.
    /// Empty when the component cannot be had.
    std::optional<PromptLanguageInfo> promptLanguage(const std::string& languageCode);

    /// The path of the loaded library; empty before a successful load.
    const std::string& loadedPath() const { return loadedPath_; }

private:
    /// Tries one library file; true when it gave an object.
    bool tryLibrary(const std::string& path);

    MessageReporter& reporter_;
    std::vector<std::string> libraryPaths_;
    void* library_ = nullptr;
    ILanguageInfo* info_ = nullptr;
    int lastLanguageIndex_ = -1;
    std::string loadedPath_;
};

}  // namespace tarvo::langinfo
