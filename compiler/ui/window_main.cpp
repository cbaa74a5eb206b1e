// Runs tarvocomp with its window.
#include <QApplication>
#include <QTimer>

#include "compiler_window.h"

namespace tarvo::compiler {

int runCompilerWindow(int argc, char** argv, const std::string& path, bool listing) {
    QApplication application(argc, argv);
    CompilerWindow window;
    window.setListing(listing);
    window.show();
    if (!path.empty()) {
        window.setStartedFromCommandLine(true);
        QString script = QString::fromLocal8Bit(path.c_str());
        QTimer::singleShot(0, &window, [&window, script] { window.compile(script); });
    }
    return application.exec();
}

}  // namespace tarvo::compiler
