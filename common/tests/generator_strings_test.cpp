// Tests of the generator's string table.
#include "tarvo/common/generator_strings.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(GeneratorStrings, TitlesAndMessagesByIdMissingIdsAnswerEmpty) {
    EXPECT_EQ(generatorString(title::kFileError), "File Error");
    EXPECT_EQ(generatorString(title::kFileReadError), "File Read Error");
    EXPECT_EQ(generatorString(title::kWarning), "Tarvo Warning");
    EXPECT_EQ(generatorString(title::kError), "Tarvo Error");
    EXPECT_EQ(generatorString(title::kFileWrite), "File Write");
    EXPECT_EQ(generatorString(401), "Do you want to overwrite the existing file?");
    EXPECT_EQ(generatorString(326), "Cannot copy a file to itself.");
    // The first and the last entry, so the search covers both ends.
    EXPECT_EQ(generatorString(113), "A frame reference to this node cannot be renamed.");
    EXPECT_FALSE(generatorString(444).empty());
    for (int missing : {0, -1, 112, 302, 445, 100000}) {
        EXPECT_TRUE(generatorString(missing).empty()) << missing;
        EXPECT_FALSE(hasGeneratorString(missing)) << missing;
    }
}

TEST(GeneratorStrings, InvalidNameMessageCarriesItsLineBreaksAndQuote) {
    const std::string_view text = generatorString(327);
    EXPECT_EQ(text.substr(0, 42), "You specified an invalid name. Valid names");
    EXPECT_NE(text.find("characters: \";*(),./\n   - must"), std::string_view::npos);
    EXPECT_LE(text.size(), kMaxMessageLength);
}

} // namespace
} // namespace tarvo
