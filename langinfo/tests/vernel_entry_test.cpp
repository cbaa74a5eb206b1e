// libvernel.so as a caller sees it: entry points, versions and registration data.
#include "tarvo/langinfo/vernel_entry.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "tarvo/langinfo/vernel_registration.h"

namespace tarvo::langinfo {
namespace {

class VernelLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = ::dlopen(VERNEL_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << ::dlerror();
        version_ = reinterpret_cast<InterfaceVersionFunction>(symbol(kInterfaceVersionSymbol));
        create_ = reinterpret_cast<CreateFunction>(symbol(kCreateSymbol));
        registration_ = reinterpret_cast<RegistrationFunction>(symbol(kRegistrationSymbol));
        canUnload_ = reinterpret_cast<CanUnloadFunction>(symbol(kCanUnloadSymbol));
    }
    void TearDown() override {
        if (handle_ != nullptr) ::dlclose(handle_);
    }
    void* symbol(const char* name) {
        void* address = ::dlsym(handle_, name);
        EXPECT_NE(address, nullptr) << name;
        return address;
    }

    void* handle_ = nullptr;
    InterfaceVersionFunction version_ = nullptr;
    CreateFunction create_ = nullptr;
    RegistrationFunction registration_ = nullptr;
    CanUnloadFunction canUnload_ = nullptr;
};

TEST_F(VernelLibraryTest, CreatesAnObjectForItsOwnVersionOnly) {
    ASSERT_EQ(version_(), kVernelInterfaceVersion);

    void* object = &object;
    EXPECT_EQ(create_(kVernelInterfaceVersion + 1, &object), kVernelCreateWrongVersion);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(create_(kVernelInterfaceVersion, nullptr), kVernelCreateNullPointer);

    ASSERT_EQ(create_(kVernelInterfaceVersion, &object), kVernelCreateOk);
    ASSERT_NE(object, nullptr);
    auto* info = static_cast<ILanguageInfo*>(object);
    EXPECT_EQ(canUnload_(), 0);

    // The library's object answers like the table, whatever the fonts.
    std::string list;
    EXPECT_EQ(info->languageList(&list), VernelResult::Ok);
    EXPECT_EQ(list.rfind("English|French|Spanish|German", 0), 0u) << list;
    std::string font;
    info->fontName("chs", 1, &font);
    EXPECT_EQ(font, "SimSun");

    info->release();
    EXPECT_EQ(canUnload_(), 1);
}

TEST_F(VernelLibraryTest, AnswersItsRegistrationData) {
    struct Row {
        RegistrationItem item;
        const char* value;
    };
    const Row rows[] = {
        {RegistrationItem::ClassId, "{9A3378C6-A6AC-48E3-A2FF-EB5E1B77195F}"},
        {RegistrationItem::ProgId, "Vernel.LanguageInfo.1"},
        {RegistrationItem::VersionIndependentProgId, "Vernel.LanguageInfo"},
        {RegistrationItem::ClassDescription, "LanguageInfo Class"},
        {RegistrationItem::InterfaceId, "{80C24D9A-A0E8-43C7-A4CF-63CC8A245E77}"},
        {RegistrationItem::InterfaceName, "ILanguageInfo"},
        {RegistrationItem::TypeLibraryId, "{3FCC8406-DDC5-4BD6-9136-DAFC05D452C7}"},
        {RegistrationItem::TypeLibraryName, "VERNELLib"},
        {RegistrationItem::TypeLibraryVersion, "1.0"},
        {RegistrationItem::ThreadingModel, "Apartment"},
    };
    for (const Row& row : rows) {
        const char* value = registration_(static_cast<int>(row.item));
        ASSERT_NE(value, nullptr) << static_cast<int>(row.item);
        EXPECT_STREQ(value, row.value);
    }
    EXPECT_EQ(registration_(0), nullptr);
    EXPECT_EQ(registration_(11), nullptr);
    EXPECT_EQ(registration_(-1), nullptr);
}

TEST_F(VernelLibraryTest, ExportsOnlyItsEntryPoints) {
    // The C++ internals stay hidden, so two copies of the code never clash.
    EXPECT_EQ(::dlsym(handle_, "_ZN5tarvo8langinfo13languageTableEv"), nullptr);
}

}  // namespace
}  // namespace tarvo::langinfo
