// Startup of the window: the command line's checks as message boxes, then the
// window, started at once when the command line named an image.
#include "transfer_window_main.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "driver/transfer_program.h"
#include "image/image_path.h"
#include "transfer_window.h"

namespace tarvo::xfer {

int runTransferWindowIn(const CommandLine& cl, TransferDialogs& dialogs, PortSettings store) {
    StartupCheck check = checkStartup(cl, currentDir());
    if (check.kind == StartupCheck::Refuse) {
        dialogs.showMessage("TarvoXfer Error", check.message + "\n\n" + kUsageText, true);
        return check.exitCode;
    }
    if (check.kind == StartupCheck::ShowUsage) {
        dialogs.showMessage("TarvoXfer", kUsageText, false);
        return 0;
    }
    ProgramSettings settings = settingsFromCommandLine(cl, store.load(), currentDir());
    TransferWindow window(settings, dialogs, std::move(store));
    if (auto* qt = dynamic_cast<QtTransferDialogs*>(&dialogs)) qt->setParent(&window);
    QEventLoop loop;
    int code = 0;
    QObject::connect(&window, &TransferWindow::exitRequested, &loop, [&](int c) {
        code = c;
        loop.quit();
    });
    window.show();
    if (!cl.empty) QTimer::singleShot(0, &window, &TransferWindow::startFromCommandLine);
    loop.exec();
    if (auto* qt = dynamic_cast<QtTransferDialogs*>(&dialogs)) qt->setParent(nullptr);
    return code;
}

int runTransferWindow(int argc, char** argv, const CommandLine& cl) {
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    QtTransferDialogs dialogs;
    return runTransferWindowIn(cl, dialogs, PortSettings());
}

}  // namespace tarvo::xfer
