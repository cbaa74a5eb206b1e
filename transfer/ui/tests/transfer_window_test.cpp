// The transfer window driving real downloads into the virtual terminal: menus
// during a transfer, the slot question, the title after a success, Esc, Open
// and drops, compact mode and the startup boxes.
#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QUrl>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver/command_line.h"
#include "driver/virtual_terminal_process.h"
#include "protocol/result_code.h"
#include "qt_test_support.h"
#include "../../tests/test_images.h"
#include "../../tests/test_terminal.h"
#include "transfer_window.h"
#include "transfer_window_main.h"

namespace tarvo::xfer {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class TransferWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        application();
        dir_ = fs::temp_directory_path() /
               ("xfer_ui_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const char* bin = std::getenv("TARVO_BIN_DIR");
        term_ = std::string(bin ? bin : "") + "/tarvoterm";
        if (!fs::exists(term_)) GTEST_SKIP() << "tarvoterm is not built";
    }
    void TearDown() override {
        vterm_.stop();
        fs::remove_all(dir_);
    }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream out(dir_ / name, std::ios::binary);
        out << text;
        return (dir_ / name).string();
    }
    std::string read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::string startTerminal(std::vector<std::string> args) {
        return startTestTerminal(vterm_, term_, dir_, std::move(args));
    }
    ProgramSettings settingsFor(const std::string& device, const std::string& image) {
        ProgramSettings s;
        s.port.device = device;
        if (!image.empty()) s.image = *splitImagePath(image, dir_.string());
        return s;
    }
    PortSettings store() { return PortSettings((dir_ / "tarvoxfer.ini").string()); }
    static bool menusEnabled(TransferWindow& w) {
        for (QMenu* m : w.menus())
            if (!m->menuAction()->isEnabled()) return false;
        return true;
    }
    static bool abortOffered(TransferWindow& w) { return w.menuBar()->actions().contains(w.abortAction()); }
    static std::string lastLine(TransferWindow& w) {
        QListWidget* list = w.logList();
        return list->count() ? list->item(list->count() - 1)->text().toStdString() : "";
    }

    fs::path dir_;
    std::string term_;
    VirtualTerminalProcess vterm_;
};

TEST_F(TransferWindowTest, ProgramsAskingForTheSlotAndShowsTheImageInTheTitle) {
    std::string image = makeImageOf("VK61", false, 0, 3, std::vector<std::uint8_t>(400, 0x42));
    std::string path = write("app.hex", image);
    std::string device = startTerminal({"--model", "VK61", "--version", "1.20", "--names", "Orders,Stock"});
    ScriptedDialogs dialogs;
    dialogs.slotAnswer = 2;
    TransferWindow window(settingsFor(device, path), dialogs, store());
    window.show();
    bool greyedDuringTransfer = false;
    dialogs.onSlotQuestion = [&] { greyedDuringTransfer = !menusEnabled(window) && abortOffered(window); };
    int result = -1;
    QObject::connect(&window, &TransferWindow::transferEnded, [&](int r) { result = r; });

    window.programPortable();
    ASSERT_TRUE(runUntil([&] { return result >= 0; }));

    EXPECT_EQ(result, kResultSuccess) << lastLine(window);
    EXPECT_EQ(lastLine(window), resultMessage(kResultSuccess));
    EXPECT_EQ(window.windowTitle().toStdString(), "Qor TarvoXfer Programmer [app.hex]");
    ASSERT_EQ(dialogs.slotQuestions.size(), 1u);
    EXPECT_EQ(dialogs.slotQuestions[0][0].substr(0, 6), "Orders");
    EXPECT_EQ(dialogs.slotQuestions[0][1].substr(0, 5), "Stock");
    EXPECT_TRUE(greyedDuringTransfer) << "menus greyed and \"&Abort\" offered while the transfer runs";
    EXPECT_TRUE(menusEnabled(window));
    EXPECT_FALSE(abortOffered(window));
    EXPECT_FALSE(window.progressBar()->isVisible());
    vterm_.stop(5000);
    EXPECT_EQ(read("got.hex"), image);
    EXPECT_NE(read("t.json").find(":100000F602"), std::string::npos) << "loaded into slot 3";
}

TEST_F(TransferWindowTest, CancelInTheSlotDialogEndsAsUserAborted) {
    std::string path = write("app.hex", makeImageOf("VK61"));
    std::string device = startTerminal({"--model", "VK61", "--version", "1.20"});
    ScriptedDialogs dialogs;
    dialogs.slotAnswer = -1;
    TransferWindow window(settingsFor(device, path), dialogs, store());
    int result = -1;
    QObject::connect(&window, &TransferWindow::transferEnded, [&](int r) { result = r; });
    window.programPortable();
    ASSERT_TRUE(runUntil([&] { return result >= 0; }));
    EXPECT_EQ(result, kResultUserAborted);
    EXPECT_EQ(window.windowTitle().toStdString(), TransferWindow::kTitle);
}

TEST_F(TransferWindowTest, EscAbortsOnlyARunningTransfer) {
    std::string path = write("app.hex", makeImageOf("VK61"));
    std::string device = startTerminal({"--model", "VK61", "--fault", "silent"});
    ScriptedDialogs dialogs;
    TransferWindow window(settingsFor(device, path), dialogs, store());
    window.show();
    QApplication::setActiveWindow(&window);
    int result = -1;
    QObject::connect(&window, &TransferWindow::transferEnded, [&](int r) { result = r; });

    QTest::keyClick(&window, Qt::Key_Escape);  // idle: nothing happens
    EXPECT_EQ(window.logList()->count(), 0);

    window.programPortable();
    ASSERT_TRUE(runUntil([&] { return window.controller().beyondStart(); }));
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_TRUE(runUntil([&] { return result >= 0; }, 10000));
    EXPECT_EQ(result, kResultUserAborted);
    EXPECT_EQ(lastLine(window), resultMessage(kResultUserAborted));
    EXPECT_TRUE(menusEnabled(window));
}

TEST_F(TransferWindowTest, AnUnopenablePortEndsTheTransferAndRestoresTheMenus) {
    std::string path = write("app.hex", makeImageOf("VK61"));
    ScriptedDialogs dialogs;
    TransferWindow window(settingsFor((dir_ / "no-such-tty").string(), path), dialogs, store());
    int result = -1;
    QObject::connect(&window, &TransferWindow::transferEnded, [&](int r) { result = r; });
    window.programPortable();
    ASSERT_TRUE(runUntil([&] { return result >= 0; }, 10000));
    EXPECT_EQ(result, kResultOpenComError);
    EXPECT_TRUE(menusEnabled(window));
    EXPECT_FALSE(abortOffered(window));
}

TEST_F(TransferWindowTest, OpenAndDropsChooseTheImageAndStartAtOnce) {
    std::string path = write("app.hex", makeImageOf("VK61"));
    ScriptedDialogs dialogs;
    TransferWindow window(settingsFor((dir_ / "no-such-tty").string(), ""), dialogs, store());
    int ended = 0;
    QObject::connect(&window, &TransferWindow::transferEnded, [&](int) { ++ended; });

    // Program without an image asks for one; cancelling leaves everything idle.
    window.programPortable();
    EXPECT_EQ(dialogs.imageQuestions, 1);
    EXPECT_FALSE(window.controller().active());

    dialogs.imageAnswers = {path};
    window.openImage();
    ASSERT_TRUE(runUntil([&] { return ended == 1; }, 10000));
    EXPECT_EQ(window.controller().settings().image.full(), path);

    auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        // As a drag does: the enter event first, then the drop.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    };
    std::string other = write("other.hex", makeImageOf("VK61"));
    drop({QUrl::fromLocalFile(QString::fromStdString(path)), QUrl::fromLocalFile(QString::fromStdString(other))});
    runUntil([] { return false; }, 100);
    EXPECT_EQ(ended, 1) << "a drop of two files is ignored";
    drop({QUrl::fromLocalFile(QString::fromStdString(other))});
    ASSERT_TRUE(runUntil([&] { return ended == 2; }, 10000)) << lastLine(window);
    EXPECT_EQ(window.controller().settings().image.name, "other.hex");
}

TEST_F(TransferWindowTest, TheListKeepsTheLastHundredLines) {
    ScriptedDialogs dialogs;
    TransferWindow window(settingsFor("", ""), dialogs, store());
    for (int i = 1; i <= 101; ++i) window.logLines().add("line " + std::to_string(i));
    ASSERT_EQ(window.logList()->count(), 100);
    EXPECT_EQ(window.logList()->item(0)->text(), "line 2");
    EXPECT_EQ(lastLine(window), "line 101");
}

TEST_F(TransferWindowTest, CompactModeClosesAfterTheTransferWithExitCodeZero) {
    // Success, and a refusal by the terminal: the window closes with 0 either way.
    for (const char* model : {"VK61", "VK81"}) {
        SCOPED_TRACE(model);
        std::string path = write("app.hex", makeImageOf("VK61"));
        std::string device = startTerminal({"--model", model, "--version", "1.20"});
        ScriptedDialogs dialogs;
        CommandLine cl = parseCommandLine(path + " -A1 -P" + device);
        EXPECT_EQ(runTransferWindowIn(cl, dialogs, store()), 0);
        EXPECT_TRUE(dialogs.messages.empty());
        vterm_.stop(std::string(model) == "VK61" ? 5000 : 0);
        EXPECT_EQ(read("got.hex").empty(), std::string(model) != "VK61");
        fs::remove(dir_ / "got.hex");
    }
    EXPECT_NE(read("tarvoxfer.ini").find("SerialPort="), std::string::npos) << "the port is remembered";
}

TEST_F(TransferWindowTest, StartupRefusalsAreShownAsBoxes) {
    std::string path = write("app.hex", makeImageOf("VK61"));
    const std::string usage = kUsageText;
    struct Case {
        std::string commandLine;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {path + " -Z", kResultInvalidParameter, "TarvoXfer Error|Invalid parameter specified.\n\n" + usage},
        {path + " -?", 0, "TarvoXfer|" + usage},
        {(dir_ / "missing.hex").string() + " -A1", 1,
         "TarvoXfer Error|The file specified could not be found.\n\n" + usage},
        {"-A1", 1, "TarvoXfer Error|The file specified could not be found.\n\n" + usage},
        {path + " -L5", 1, "TarvoXfer Error|The application number specified to launch is invalid.\n\n" + usage},
        {path + " -L0", 1, "TarvoXfer Error|The application number specified to launch is invalid.\n\n" + usage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        ScriptedDialogs dialogs;
        EXPECT_EQ(runTransferWindowIn(parseCommandLine(c.commandLine), dialogs, store()), c.exitCode);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0], c.message);
    }
}

}  // namespace
}  // namespace tarvo::xfer
