// The compiler window: the eight-line log, the title after a compile, the listing option.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <unistd.h>

#include "compiler_window.h"

namespace tarvo::compiler {
namespace {

TEST(CompilerWindow, KeepsTheLastEightLogLinesAndSetsTheTitle) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // no display needed
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    CompilerWindow window;
    window.setTransferEnabled(false);
    EXPECT_EQ(window.windowTitle(), "Qor Portable Compiler");

    auto folder = std::filesystem::temp_directory_path() / ("tarvocomp_ui_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Orders.scr") << "Declarations (\nREG \"R\"\n)\nFrame \"F\" ( Return \"F.R\" ( "
                                            "Source(), Special(), Destination(), Branch() ) )\n";
    EXPECT_TRUE(window.compile(QString::fromStdString((folder / "Orders.scr").string())));
    EXPECT_EQ(window.windowTitle(), "Tarvo Compiler [orders]");
    QListWidget* log = window.logList();
    ASSERT_EQ(log->count(), CompilerWindow::kLogLines);  // eleven lines were logged
    EXPECT_EQ(log->item(0)->text().toStdString(), "Syntax of Frame F OK");
    EXPECT_EQ(log->item(1)->text().toStdString(), "HEX conversion of Program follows :");
    EXPECT_EQ(log->item(7)->text().toStdString(), "Node Count = 1");
    EXPECT_TRUE(std::filesystem::exists(folder / "Orders.hex"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tarvo::compiler
