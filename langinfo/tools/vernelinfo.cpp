// vernelinfo: shows what the language component answers, for users who
// wonder why a language is not offered.
#include <cstdio>
#include <cstring>
#include <string>

#include "tarvo/langinfo/language_table.h"
#include "tarvo/langinfo/loader/vernel_loader.h"

namespace {

using namespace tarvo::langinfo;

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitNoComponent = 2;
constexpr int kExitNoSuchLanguage = 3;

constexpr const char* kUsage =
    "Usage: vernelinfo            print the languages offered and their count\n"
    "       vernelinfo NAME       print every value of the language NAME\n"
    "       vernelinfo -l CODE    print every value of the language with locale code CODE\n"
    "       vernelinfo --help     print this text\n"
    "\n"
    "Shows what the language component libvernel.so answers. It is looked for\n"
    "beside this program, then in ../lib. Names and codes are compared exactly,\n"
    "so \"english\" is not \"English\". A double-byte language is offered only\n"
    "when a font covering it is installed (see fc-list :lang=zh-cn).\n"
    "\n"
    "Exit codes: 0 success, 1 bad command line, 2 the component cannot be loaded,\n"
    "3 the name or code selects no language (the values shown are English's).\n";

// Prints the loader's failure message on standard error.
struct StderrReporter : MessageReporter {
    void showMessage(const std::string& text, const std::string& caption, MessageIcon) override {
        std::fprintf(stderr, "vernelinfo: %s: %s\n", caption.c_str(), text.c_str());
    }
};

int printList(ILanguageInfo& info) {
    std::string list;
    int16_t count = 0;
    info.languageList(&list);
    info.getLanguageCount(&count);
    std::printf("Languages: %s\nCount: %d\n", list.c_str(), count);
    return kExitOk;
}

int printLanguage(ILanguageInfo& info, const std::string& text, bool byLocaleCode) {
    const int32_t isLocaleCode = byLocaleCode ? 1 : 0;
    int16_t index = 0, charSet = 0, codepage = 0, fontSize = 0, doublebyte = 0, supported = 0;
    std::string fontName;
    info.getLanguageIdx(text, isLocaleCode, &index);
    info.charSet(text, isLocaleCode, &charSet);
    info.codepage(text, isLocaleCode, &codepage);
    info.fontName(text, isLocaleCode, &fontName);
    info.fontSize(text, isLocaleCode, &fontSize);
    info.doublebyte(text, isLocaleCode, &doublebyte);
    info.isSupported(text, isLocaleCode, &supported);

    const LanguageEntry& entry = languageTable()[static_cast<std::size_t>(index) % kLanguageCount];
    std::string_view key = byLocaleCode ? entry.localeCode : entry.name;
    int exitCode = kExitOk;
    if (key != text) {
        std::fprintf(stderr,
                     "vernelinfo: %s \"%s\" selects no language; the component answers with "
                     "the values of \"%.*s\"\n",
                     byLocaleCode ? "locale code" : "name", text.c_str(),
                     static_cast<int>(entry.name.size()), entry.name.data());
        exitCode = kExitNoSuchLanguage;
    }
    std::printf("Name: %.*s\n", static_cast<int>(entry.name.size()), entry.name.data());
    std::printf("Index: %d\n", index);
    std::printf("Locale code: %.*s\n", static_cast<int>(entry.localeCode.size()),
                entry.localeCode.data());
    std::printf("Character set: %d\n", charSet);
    std::printf("Code page: %d\n", codepage);
    std::printf("Font name: %s\n", fontName.c_str());
    std::printf("Font size: %d\n", fontSize);
    std::printf("Double-byte: %d\n", doublebyte);
    std::printf("Supported: %d\n", supported);
    return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    enum class Mode { List, Name, LocaleCode } mode = Mode::List;
    std::string text;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (argc == 2 && argv[1][0] != '-') {
        mode = Mode::Name;
        text = argv[1];
    } else if (argc == 3 && std::strcmp(argv[1], "-l") == 0) {
        mode = Mode::LocaleCode;
        text = argv[2];
    } else if (argc != 1) {
        std::fprintf(stderr, "vernelinfo: bad command line; try vernelinfo --help\n");
        return kExitUsage;
    }

    StderrReporter reporter;
    VernelLoader loader(reporter);
    ILanguageInfo* info = loader.languageInfo();
    if (info == nullptr) return kExitNoComponent;

    switch (mode) {
        case Mode::List: return printList(*info);
        case Mode::Name: return printLanguage(*info, text, false);
        case Mode::LocaleCode: return printLanguage(*info, text, true);
    }
    return kExitUsage;
}
