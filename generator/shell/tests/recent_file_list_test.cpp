#include "tarvo/shell/recent_file_list.h"

#include <gtest/gtest.h>

namespace tarvo::shell {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, AddPutsFirstMovesDuplicateAndDropsOldest) {
    RecentFileList list;
    list.setMaximum(3);
    list.add("/a.scr");
    list.add("/b.scr");
    list.add("/c.scr");
    EXPECT_EQ(list.entries(), (Paths{"/c.scr", "/b.scr", "/a.scr"}));
    list.add("/a.scr");
    EXPECT_EQ(list.entries(), (Paths{"/a.scr", "/c.scr", "/b.scr"}));
    list.add("/d.scr");
    EXPECT_EQ(list.entries(), (Paths{"/d.scr", "/a.scr", "/c.scr"}));
    // File names differ by case on Linux: two different applications.
    list.add("/D.scr");
    EXPECT_EQ(list.entries(), (Paths{"/D.scr", "/d.scr", "/a.scr"}));
    list.add("");
    EXPECT_EQ(list.entries().size(), 3u);
}

TEST(RecentFileList, MaximumIsClampedAndShrinksTheList) {
    RecentFileList list;
    const std::pair<long, int> clamps[] = {{1, 2}, {0, 2}, {-7, 2}, {2, 2}, {9, 9}, {16, 16},
                                           {17, 16}, {40, 16}};
    for (auto [given, kept] : clamps) {
        list.setMaximum(given);
        EXPECT_EQ(list.maximum(), kept) << given;
    }
    for (int i = 0; i < 10; ++i) list.add("/" + std::to_string(i));
    list.setMaximum(3);
    EXPECT_EQ(list.entries(), (Paths{"/9", "/8", "/7"}));
}

TEST(RecentFileList, MenuLabelsNumberFromOne) {
    RecentFileList list;
    list.add("/x/app.scr");
    list.add("/y/b.scr");
    EXPECT_EQ(list.menuLabel(0), "&1 /y/b.scr");
    EXPECT_EQ(list.menuLabel(1), "&2 /x/app.scr");
    EXPECT_EQ(list.menuLabel(2), "");
}

}  // namespace
}  // namespace tarvo::shell
