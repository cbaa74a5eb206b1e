// Tests of the image files: path splitting, the scans, line reading, the file writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "image/file_writer.h"
#include "image/hex_record.h"
#include "image/image_path.h"
#include "image/image_scan.h"
#include "image/record_source.h"
#include "test_images.h"

namespace tarvo::xfer {
namespace {

using testing::ImageSpec;
using testing::makeImageOf;
using testing::makeOsImage;

TEST(HexRecord, ParsesAndChecksChecksum) {
    auto rec = parseHexRecord(":020000FF0002FD\r");
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->type, 0xFF);
    EXPECT_EQ(rec->data, (std::vector<std::uint8_t>{0x00, 0x02}));
    EXPECT_TRUE(rec->checksumOk);
    EXPECT_FALSE(parseHexRecord(":020000FF0002FE")->checksumOk);
    EXPECT_FALSE(parseHexRecord(":0200")) << "a header cut short is no record";
    EXPECT_FALSE(parseHexRecord(":020000ff0002fd", /*upperOnly=*/true));
    auto shortData = parseHexRecord(":04800000AB");
    ASSERT_TRUE(shortData);
    EXPECT_FALSE(shortData->complete);
    EXPECT_EQ(formatHexRecord(0, 0xF4, {0x05}), ":010000F40506");
}

struct SplitCase {
    const char* path;
    const char* dir;
    const char* name;
};

TEST(ImagePath, SplitsAtLastSlashAndAddsHexExtension) {
    const SplitCase cases[] = {
        {"/home/u/prog", "/home/u", "prog.hex"},
        {"/home/u/prog.txt", "/home/u", "prog.txt"},
        {"prog", "/cwd", "prog.hex"},
        {"a/b.c/prog", "a/b.c", "prog.hex"},
        {"/prog.hex", "", "prog.hex"},
    };
    for (const auto& c : cases) {
        auto split = splitImagePath(c.path, "/cwd");
        ASSERT_TRUE(split) << c.path;
        EXPECT_EQ(split->dir, c.dir) << c.path;
        EXPECT_EQ(split->name, c.name) << c.path;
    }
    EXPECT_EQ(splitImagePath("/prog.hex", "/x")->full(), "/prog.hex");
    EXPECT_FALSE(splitImagePath("/home/u/", "/cwd")) << "empty name";
    EXPECT_FALSE(splitImagePath("", "/cwd"));
    EXPECT_FALSE(splitImagePath(std::string(kMaxPathPart + 1, 'n'), "/cwd")) << "name too long";
}

TEST(ImageScan, ModelFromHeaderRecords) {
    EXPECT_EQ(imageModel(makeImageOf("VK7100")), kModelVK7100);
    EXPECT_EQ(imageModel(makeImageOf("VK61")), kModelVK61);
    EXPECT_EQ(imageModel(makeImageOf("VK81")), kModelVK81);
    EXPECT_EQ(imageModel(":00000001FF\r\n"), kModelVK7100) << "no header records";
    EXPECT_EQ(imageModel(""), kModelVK7100);
    // The VK81 header at offset 40 is found; past offset 199 it is not.
    std::string padded = std::string(40, 'x') + ":04000001564B3831F1\r\n";
    EXPECT_EQ(imageModel(padded), kModelVK81);
    std::string tooFar = std::string(200, 'x') + ":04000001564B3831F1\r\n";
    EXPECT_EQ(imageModel(tooFar), kModelVK7100);
    // The language prefix 26 01 of the first code word marks a VK81 image too.
    EXPECT_EQ(imageModel(":0400000100000000FB\r\n:208000002601000100000000"), kModelVK81);
}

TEST(ImageScan, NodeCountAndEndAddressWithoutFont) {
    std::vector<std::uint8_t> code(70, 0xAA);  // three records: 32, 32, 6 bytes
    std::string image = makeImageOf("VK7100", false, 0, 0x1234, code);
    ImageScan scan = scanImage(image);
    EXPECT_EQ(scan.fileSize, image.size());
    EXPECT_EQ(scan.nodeCount, 0x1234);
    EXPECT_EQ(scan.endAddress, 0x8000u + 70);
    EXPECT_FALSE(scan.hasFont);
    EXPECT_EQ(scan.appPartLength, image.size());
    EXPECT_EQ(scan.fontOffset, 0u);
    EXPECT_EQ(scan.fontLength, 0u);
}

TEST(ImageScan, FontBlockSplitsTheImage) {
    std::string image = makeImageOf("VK81", true, 3);
    ImageScan scan = scanImage(image);
    ASSERT_TRUE(scan.hasFont);
    std::size_t markerRecord = image.find(":0A800A00");
    ASSERT_NE(markerRecord, std::string::npos);
    EXPECT_EQ(scan.appPartLength, markerRecord);
    std::size_t afterMarker = image.find("\r\n", markerRecord) + 2;
    EXPECT_EQ(scan.fontOffset, afterMarker);
    EXPECT_EQ(scan.fontLength, image.size() - afterMarker);
    // The end address comes from the last code record, not the marker record.
    EXPECT_EQ(scan.endAddress, 0x8000u + 10);
}

TEST(ImageScan, EndAddressStepsBackOverHeaderAndEndRecords) {
    std::string image = testing::dataRecords(0x8000, std::vector<std::uint8_t>(40, 1)) +
                        testing::line(":04000001564B3831F1") + testing::line(":00000001FF");
    EXPECT_EQ(imageEndAddress(image, image.size()), 0x8000u + 40);
    EXPECT_EQ(imageEndAddress("no records here", 15), 0u);
}

TEST(ImageScan, OsVersionFromSecondRecord) {
    EXPECT_EQ(osImageVersion(makeOsImage(123)), 123);
    EXPECT_EQ(osImageVersion(makeOsImage(7)), 7);
    EXPECT_EQ(osImageVersion(""), 0);
}

TEST(RecordSource, ReadsLinesUntilTheEndOfThePart) {
    RecordSource src;
    src.open("A\r\nBB\r\nCCC\r\n", 3, 5);  // just the second line
    EXPECT_EQ(src.nextLine(), "BB\r");
    EXPECT_EQ(src.nextLine(), std::nullopt);

    src.open("A\r\nlast-without-lf", 0, 100);
    EXPECT_EQ(src.nextLine(), "A\r");
    EXPECT_EQ(src.nextLine(), std::nullopt) << "a final line without line feed is not sent";

    src.open(std::string("A\r\n\0B\r\n", 7), 0, 7);
    EXPECT_EQ(src.nextLine(), "A\r");
    EXPECT_EQ(src.nextLine(), std::nullopt) << "a zero byte ends the part";
    EXPECT_EQ(src.linesTaken(), 1u);
}

TEST(RecordSource, FontPartStartsAfterTheMarkerRecord) {
    std::string image = makeImageOf("VK61", true, 2);
    ImageScan scan = scanImage(image);
    RecordSource app;
    app.open(image, 0, scan.appPartLength);
    std::string last;
    while (auto l = app.nextLine()) last = *l;
    EXPECT_EQ(last.find("4F515F52"), std::string::npos) << "marker record never sent";
    RecordSource font;
    font.open(image, scan.fontOffset, scan.fontLength);
    auto first = font.nextLine();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->substr(0, 9), ":18801400") << "record after the marker";
}

class FileWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("xfer_fw_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string read(std::string_view name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::filesystem::path dir_;
};

TEST_F(FileWriterTest, BankRulesChooseFileAndAddress) {
    FileWriter fw(dir_.string());
    std::string failed;
    ASSERT_TRUE(fw.create(failed));
    std::string rec8010 = formatHexRecord(0x8010, 0, {1, 2}) + "\r";
    std::string rec0010 = formatHexRecord(0x0010, 0, {1, 2}) + "\r\n";
    std::string rec8010out = formatHexRecord(0x8010, 0, {1, 2}) + "\r\n";
    EXPECT_TRUE(fw.writeLine(rec8010));                 // bank 0: 0x8010 -> 0x0010, file 1
    EXPECT_TRUE(fw.writeLine(":020000021000EC\r"));     // segment 1000 -> bank 1
    EXPECT_EQ(fw.bank(), 1);
    EXPECT_TRUE(fw.writeLine(rec8010));                 // bank 1: unchanged, file 1
    EXPECT_TRUE(fw.writeLine(":020000FF0002FD\r"));     // bank record -> bank 2
    EXPECT_EQ(fw.bank(), 2);
    EXPECT_TRUE(fw.writeLine(rec8010));                 // bank 2: lowered, file 2
    EXPECT_TRUE(fw.writeLine(":020000023000CC\r"));     // segment 3000 -> bank 3
    EXPECT_TRUE(fw.writeLine(rec8010));                 // bank 3: unchanged, file 2
    EXPECT_TRUE(fw.writeLine(":020000024000BC\r"));     // segment 4000: bank stays
    EXPECT_EQ(fw.bank(), 3);
    EXPECT_TRUE(fw.writeLine(":00000001FF\r"));         // dropped
    EXPECT_TRUE(fw.writeLine(":000000F20E\r"));         // dropped
    EXPECT_TRUE(fw.writeLine("/.\rj"));                 // dropped
    fw.close();
    EXPECT_EQ(read(kOutputFileLow), rec0010 + rec8010out);
    EXPECT_EQ(read(kOutputFileHigh), rec0010 + rec8010out);
}

TEST_F(FileWriterTest, ReplacesOlderLongerFiles) {
    {
        std::ofstream old(dir_ / kOutputFileLow);
        old << std::string(1000, 'Z');
    }
    FileWriter fw(dir_.string());
    std::string failed;
    ASSERT_TRUE(fw.create(failed));
    fw.writeLine(":01800000AAD5\r");
    fw.close();
    EXPECT_EQ(read(kOutputFileLow), ":01000000AA55\r\n");
}

TEST_F(FileWriterTest, ReportsTheFileThatCannotBeCreated) {
    FileWriter fw((dir_ / "missing" / "folder").string());
    std::string failed;
    EXPECT_FALSE(fw.create(failed));
    EXPECT_EQ(failed, kOutputFileLow);
}

}  // namespace
}  // namespace tarvo::xfer
