// The dialogs of the transfer window: what OK and Cancel leave behind.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "about_dialog.h"
#include "application_number_dialog.h"
#include "download_options_dialog.h"
#include "override_settings_dialog.h"
#include "port_dialog.h"
#include "protocol/step_table.h"
#include "protocol/transfer_session.h"
#include "qt_test_support.h"

namespace tarvo::xfer {
namespace {

using namespace testing;

TEST(OverrideSettingsDialog, OkTakesTheBoxesAndCancelDropsTheOverride) {
    application();
    struct Case {
        const char* what;
        OverrideState opening;
        bool clickSystem, clickToFile, clickTrace;
        int rate;  // radio clicked, -1 none
        bool ok;
        OverrideState expected;
    };
    const Case cases[] = {
        {"opening alone asks for the application", {0, false, 0, kMaxBaud38400}, false, false, false, -1, true,
         {kOverrideSendApp, false, 0, kMaxBaud38400}},
        {"system, file, trace, 19200", {0, false, 0, kMaxBaud38400}, true, true, true, kMaxBaud19200, true,
         {kOverrideSendApp | kOverrideSendOs, true, 1, kMaxBaud19200}},
        {"system unticked", {kOverrideSendOs | kOverrideSendApp, false, 0, kMaxBaud9600}, true, false, false, -1,
         true, {kOverrideSendApp, false, 0, kMaxBaud9600}},
        {"the trace file level stays while Trace stays on", {0, false, 2, kMaxBaud38400}, false, false, false, -1,
         true, {kOverrideSendApp, false, 2, kMaxBaud38400}},
        {"the emulator setting shows as 9600", {0, false, 0, kMaxBaudEmulator}, false, false, false, -1, true,
         {kOverrideSendApp, false, 0, kMaxBaud9600}},
        {"cancel clears the override, keeps file and trace", {kOverrideSendOs, true, 1, kMaxBaud19200}, true, true,
         true, kMaxBaud9600, false, {0, true, 1, kMaxBaud19200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OverrideSettingsDialog dialog(c.opening);
        dialog.show();
        if (c.clickSystem) dialog.systemBox()->click();
        if (c.clickToFile) dialog.toFileBox()->click();
        if (c.clickTrace) dialog.traceBox()->click();
        if (c.rate >= 0) dialog.rateButton(c.rate)->click();
        OverrideState got = c.ok ? dialog.accepted() : dialog.cancelled();
        EXPECT_EQ(got.overrideFlags, c.expected.overrideFlags);
        EXPECT_EQ(got.fileMode, c.expected.fileMode);
        EXPECT_EQ(got.traceLevel, c.expected.traceLevel);
        EXPECT_EQ(got.maxBaud, c.expected.maxBaud);
    }
}

TEST(PortDialog, ListsThePortsAndSelectsTheCurrentOne) {
    application();
    const std::vector<PortEntry> ports = {{"ttyS0", "/dev/ttyS0", 1}, {"ttyS1", "/dev/ttyS1", 2},
                                          {"ttyUSB0", "/dev/ttyUSB0", 3}};
    PortChoice second;
    second.number = 2;
    PortDialog byNumber(ports, second);
    EXPECT_EQ(byNumber.portList()->count(), 4) << "three ports and the virtual terminal";
    EXPECT_EQ(byNumber.portList()->currentIndex(), 1);
    byNumber.portList()->setCurrentIndex(2);
    EXPECT_EQ(byNumber.selected().number, 3);
    EXPECT_TRUE(byNumber.selected().device.empty());
    byNumber.portList()->setCurrentIndex(3);
    EXPECT_EQ(byNumber.selected().device, "virtual");

    // A device that is not listed (unplugged, or a pseudo-terminal) stays choosable.
    PortChoice typed;
    typed.device = "/dev/pts/7";
    PortDialog byDevice(ports, typed);
    EXPECT_EQ(byDevice.portList()->count(), 5);
    EXPECT_EQ(byDevice.selected().device, "/dev/pts/7");

    // Without any serial port the virtual terminal is still offered.
    PortDialog none({}, PortChoice{});
    EXPECT_EQ(none.portList()->count(), 2);
    none.portList()->setCurrentIndex(1);
    EXPECT_EQ(none.selected().device, "virtual");
}

TEST(ApplicationNumberDialog, ShowsTheStoredNamesAndAnswersTheSlot) {
    application();
    ApplicationNumberDialog dialog({"Orders", "Stock", "", "Count"});
    dialog.show();
    EXPECT_EQ(dialog.slotButton(0)->text(), "Application 1: Orders");
    EXPECT_EQ(dialog.slotButton(3)->text(), "Application 4: Count");
    EXPECT_TRUE(dialog.slotButton(0)->isChecked());
    EXPECT_EQ(dialog.slot(), 0);
    dialog.slotButton(2)->click();
    EXPECT_EQ(dialog.slot(), 2);
}

TEST(DownloadOptionsDialog, EachButtonGivesItsChoice) {
    application();
    using Choice = DownloadOptionsDialog::Choice;
    for (Choice c : {Choice::OsAndApplication, Choice::ApplicationOnly, Choice::CancelDownload}) {
        DownloadOptionsDialog dialog;
        dialog.button(c)->click();
        EXPECT_EQ(dialog.result(), int(c));
    }
    EXPECT_EQ(DownloadOptionsDialog().button(Choice::OsAndApplication)->text(), "Download OS and Application");
}

TEST(AboutDialog, OnlyTheHiddenAreaOfTheIconAsksForTheOverrideSettings) {
    application();
    AboutDialog dialog;
    dialog.show();
    QSignalSpy spy(&dialog, &AboutDialog::overrideSettingsRequested);
    QTest::mouseClick(dialog.icon(), Qt::LeftButton, {}, QPoint(2, 1));
    QTest::mouseClick(dialog.icon(), Qt::LeftButton, {}, QPoint(29, 6));
    QTest::mouseClick(dialog.icon(), Qt::LeftButton, {}, QPoint(10, 20));
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseClick(dialog.icon(), Qt::LeftButton, {}, QPoint(AboutIcon::kLeft, AboutIcon::kTop));
    QTest::mouseClick(dialog.icon(), Qt::LeftButton, {}, QPoint(AboutIcon::kRight, AboutIcon::kBottom));
    EXPECT_EQ(spy.count(), 2);
}

}  // namespace
}  // namespace tarvo::xfer
