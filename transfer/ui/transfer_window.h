// TransferWindow: the main window of tarvoxfer: the log list, the progress bar,
// the menus and dialogs, and the event-driven loop that runs the transfer.
#pragma once
#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "driver/deadline_timer.h"
#include "driver/log_list.h"
#include "driver/port_settings.h"
#include "driver/transfer_controller.h"
#include "protocol/session_host.h"
#include "transfer_dialogs.h"

class QAction;
class QListWidget;
class QMenu;
class QProgressBar;
class QSocketNotifier;

namespace tarvo::xfer {

class TransferWindow : public QMainWindow, private SessionHost, private ReplyTimer {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Qor TarvoXfer Programmer";

    /// `dialogs` answers the questions of a transfer; `store` keeps the port.
    TransferWindow(ProgramSettings settings, TransferDialogs& dialogs, PortSettings store,
                   QWidget* parent = nullptr);
    ~TransferWindow() override;

    TransferController& controller() { return *controller_; }
    QListWidget* logList() const { return list_; }
    QProgressBar* progressBar() const { return progress_; }
    QAction* abortAction() const { return abort_; }
    const QList<QMenu*>& menus() const { return menus_; }
    LogList& logLines() { return log_; }
    /// The code the program ends with once the window asks to exit.
    int exitCode() const { return exitCode_; }

public slots:
    /// Started from the command line: the small window in batch and compact mode, then program.
    void startFromCommandLine();
    /// "&Program the Portable".
    void programPortable();
    /// "&Open...": choosing a file starts programming at once.
    void openImage();
    /// "&Settings...": the port dialog.
    void selectPort();
    /// The override dialog (from the About box).
    void overrideSettings();
    void about();
    void help();
    /// Esc and "&Abort".
    void abortTransfer();
    /// "E&xit" with the given code.
    void exitProgram(int code = 0);

signals:
    /// A transfer ended with `result`; the log shows its message.
    void transferEnded(int result);
    /// The window asks the program to end with `code`.
    void exitRequested(int code);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // SessionHost
    void log(const std::string& line) override { log_.add(line); }
    int chooseLoadSlot(const std::array<std::string, 4>& storedNames) override;
    int chooseDownloadOptions() override;
    void warning(const std::string& text) override;
    void setTitle(const std::string& title) override;
    void progress(int percent) override;
    void transferStarted() override;
    // ReplyTimer
    bool start(int milliseconds) override;
    void stop() override;

    void buildMenus();
    void addLogLine(const std::string& line);
    /// One engine pass and what follows from it; the next pass is queued
    /// behind waiting events, so the window stays responsive.
    void runPass();
    void replyTimedOut();
    void endTransfer();
    void watchPort();
    void setMenusEnabled(bool enabled);
    void scheduleProgram();

    ProgramSettings initial_;
    TransferDialogs& dialogs_;
    PortSettings store_;
    LogList log_;
    SteadyClock clock_;
    std::unique_ptr<TransferController> controller_;

    QListWidget* list_;
    QProgressBar* progress_;
    QList<QMenu*> menus_;
    QAction* abort_ = nullptr;
    QTimer replyTimer_;
    QTimer passTimer_;   // zero-time: the next pass after waiting events
    QTimer heartbeat_;   // checks the probe time limit while nothing arrives
    std::unique_ptr<QSocketNotifier> notifier_;
    int watchedFd_ = -1;
    bool inPass_ = false;
    bool timeoutPending_ = false;
    bool helpMissing_ = false;
    bool compact_ = false;
    int exitCode_ = 0;
};

}  // namespace tarvo::xfer
