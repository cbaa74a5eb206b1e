// Record parsing and formatting against the records the host really sends.
#include "tarvo/vterm/hex_record.h"

#include <gtest/gtest.h>

namespace tarvo::vterm {
namespace {

struct ParseCase {
    const char* text;
    HexParseResult expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class HexRecordParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(HexRecordParse, GivesExpectedResult) {
    HexRecord record;
    EXPECT_EQ(parseHexRecord(GetParam().text, record), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    HostLines, HexRecordParse,
    ::testing::Values(ParseCase{":020000FF0002FD", HexParseResult::Ok},
                      ParseCase{":010000F40506", HexParseResult::Ok},
                      ParseCase{":000000F20E", HexParseResult::Ok},
                      ParseCase{":00000001FF", HexParseResult::Ok},
                      // The name command carries lower-case digits.
                      ParseCase{":100000F600616220202020202020202020200001D6", HexParseResult::Ok},
                      ParseCase{":0400000100000000fb", HexParseResult::Ok},
                      ParseCase{":020000FF0002FE", HexParseResult::BadChecksum},
                      ParseCase{":020000FF0002", HexParseResult::BadLength},
                      ParseCase{":030000FF0002FD", HexParseResult::BadLength},
                      ParseCase{":020000FF0002FD00", HexParseResult::BadLength},
                      ParseCase{":0200G0FF0002FD", HexParseResult::BadDigit},
                      ParseCase{":", HexParseResult::BadLength},
                      ParseCase{"", HexParseResult::NoColon},
                      ParseCase{"020000FF0002FD", HexParseResult::NoColon}));

TEST(HexRecord, ParsesFieldsOfADataRecord) {
    HexRecord record;
    ASSERT_EQ(parseHexRecord(":06809200700170012D00D9", record), HexParseResult::Ok);
    EXPECT_EQ(record.type, 0x00);
    EXPECT_EQ(record.address, 0x8092);
    EXPECT_EQ(record.data, (std::vector<std::uint8_t>{0x70, 0x01, 0x70, 0x01, 0x2D, 0x00}));
}

TEST(HexRecord, FormatsUpperCaseWithChecksumAndCanCorruptIt) {
    HexRecord record;
    record.type = 0xF1;
    record.data = {0x00, 0xC0};
    EXPECT_EQ(formatHexRecord(record), ":020000F100C04D");

    const std::string corrupt = formatHexRecord(record, true);
    HexRecord parsed;
    EXPECT_EQ(parseHexRecord(corrupt, parsed), HexParseResult::BadChecksum);
}

TEST(HexRecord, FullLengthRecordRoundTrips) {
    HexRecord record;
    record.address = 0xFFE0;
    record.data.assign(kMaxRecordDataBytes, 0xA5);
    const std::string text = formatHexRecord(record);
    EXPECT_EQ(text.size(), kMaxRecordLineChars);
    HexRecord parsed;
    ASSERT_EQ(parseHexRecord(text, parsed), HexParseResult::Ok);
    EXPECT_EQ(parsed.data, record.data);
    EXPECT_EQ(parsed.address, 0xFFE0);
}

}  // namespace
}  // namespace tarvo::vterm
