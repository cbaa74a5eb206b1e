// The transfer window. The engine runs in passes: one when the port has bytes,
// one when the reply timer fires, one queued behind the window's events while
// it has work of its own, and a slow heartbeat for the probe time limit.
#include "transfer_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QShortcut>
#include <QSocketNotifier>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "about_dialog.h"
#include "image/image_path.h"
#include "override_settings_dialog.h"
#include "port_dialog.h"
#include "serial/port_list.h"
#include "tarvo/common/paths.h"

namespace tarvo::xfer {

namespace {
constexpr int kHeartbeatMs = 250;
constexpr int kCompactProgressHeight = 10;
constexpr const char* kHelpFile = "tarvoxfer.html";
constexpr const char* kErrorCaption = "TarvoXfer Error";
}  // namespace

TransferWindow::TransferWindow(ProgramSettings settings, TransferDialogs& dialogs, PortSettings store,
                               QWidget* parent)
    : QMainWindow(parent), initial_(settings), dialogs_(dialogs), store_(std::move(store)) {
    setWindowTitle(kTitle);
    setWindowIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
    compact_ = settings.batch || settings.exitAfterTransfer;

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    list_ = new QListWidget;
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus);  // keys go to the window: Esc aborts, F1 helps
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    int barHeight = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (compact_ && barHeight > kCompactProgressHeight) barHeight = kCompactProgressHeight;
    progress_->setFixedHeight(barHeight);
    progress_->hide();
    layout->addWidget(list_);
    layout->addWidget(progress_);
    setCentralWidget(central);
    resize(560, 320);

    log_.setTraceLevel(settings.traceLevel);
    log_.onLine = [this](const std::string& line) { addLogLine(line); };
    SessionHost& host = *this;
    ReplyTimer& timer = *this;
    controller_ = std::make_unique<TransferController>(host, timer, clock_, log_, std::move(settings));

    buildMenus();
    setAcceptDrops(true);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &TransferWindow::abortTransfer);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TransferWindow::help);

    replyTimer_.setSingleShot(true);
    connect(&replyTimer_, &QTimer::timeout, this, &TransferWindow::replyTimedOut);
    passTimer_.setSingleShot(true);
    passTimer_.setInterval(0);
    connect(&passTimer_, &QTimer::timeout, this, &TransferWindow::runPass);
    heartbeat_.setInterval(kHeartbeatMs);
    connect(&heartbeat_, &QTimer::timeout, this, &TransferWindow::runPass);
}

TransferWindow::~TransferWindow() {
    notifier_.reset();
    log_.onLine = nullptr;
    controller_.reset();
}

void TransferWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open...", this, &TransferWindow::openImage);
    file->addAction("&Program the Portable", this, &TransferWindow::programPortable);
    file->addAction("E&xit", this, [this] { exitProgram(0); });
    QMenu* options = menuBar()->addMenu("&Options");
    options->addAction("&Settings...", this, &TransferWindow::selectPort);
    QMenu* helpMenu = menuBar()->addMenu("&Help");
    helpMenu->addAction("TarvoXfer &Help", this, &TransferWindow::help);
    helpMenu->addAction("&About TarvoXfer...", this, &TransferWindow::about);
    menus_ = {file, options, helpMenu};
    abort_ = new QAction("&Abort", this);
    connect(abort_, &QAction::triggered, this, &TransferWindow::abortTransfer);
}

void TransferWindow::setMenusEnabled(bool enabled) {
    for (QMenu* menu : menus_) menu->menuAction()->setEnabled(enabled);
    if (enabled) menuBar()->removeAction(abort_);
    else if (!menuBar()->actions().contains(abort_)) menuBar()->addAction(abort_);
}

void TransferWindow::addLogLine(const std::string& line) {
    list_->addItem(QString::fromLocal8Bit(line.c_str()));
    while (list_->count() > int(kLogLines)) delete list_->takeItem(0);
    list_->scrollToBottom();
}

// --- commands -------------------------------------------------------------

void TransferWindow::startFromCommandLine() {
    if (compact_) {
        move(120, 70);
        resize(500, 150);
    }
    programPortable();
}

void TransferWindow::scheduleProgram() {
    QTimer::singleShot(0, this, &TransferWindow::programPortable);
}

void TransferWindow::programPortable() {
    if (controller_->active()) return;
    if (controller_->settings().image.empty()) {
        openImage();
        return;
    }
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    switch (controller_->startTransfer()) {
    case StartOutcome::Started:
        setMenusEnabled(false);
        heartbeat_.start();
        passTimer_.start();
        break;
    case StartOutcome::NeedImage:
        QTimer::singleShot(0, this, &TransferWindow::openImage);
        break;
    case StartOutcome::Failed:
        endTransfer();
        break;
    case StartOutcome::AlreadyActive:
        break;
    }
}

void TransferWindow::openImage() {
    if (controller_->active()) return;
    const ImagePath& image = controller_->settings().image;
    std::string startDir = image.empty() ? currentDir() : image.dir;
    std::optional<std::string> chosen = dialogs_.chooseImageFile(startDir);
    if (!chosen) return;
    if (!controller_->chooseImage(*chosen, currentDir())) {
        dialogs_.showMessage(kErrorCaption, "The file specified could not be found.", true);
        return;
    }
    setWindowTitle(kTitle);
    scheduleProgram();
}

void TransferWindow::selectPort() {
    if (controller_->active()) return;
    PortDialog dialog(listPorts(), controller_->settings().port, this);
    if (dialog.exec() == QDialog::Accepted) controller_->settings().port = dialog.selected();
}

void TransferWindow::overrideSettings() {
    if (controller_->active()) return;
    ProgramSettings& s = controller_->settings();
    OverrideState state{s.overrideFlags, s.fileMode, s.traceLevel, controller_->maxBaud()};
    bool ok = editOverrideSettings(state, this);
    s.overrideFlags = state.overrideFlags;
    s.fileMode = state.fileMode;
    s.traceLevel = state.traceLevel;
    log_.setTraceLevel(state.traceLevel);
    if (ok) controller_->setMaxBaud(state.maxBaud);
}

void TransferWindow::about() {
    AboutDialog dialog(this);
    connect(&dialog, &AboutDialog::overrideSettingsRequested, this, &TransferWindow::overrideSettings);
    dialog.exec();
}

void TransferWindow::help() {
    if (helpMissing_) return;
    std::string page = findDataFile(kHelpFile);
    if (page.empty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page)))) {
        // Without a help page or a browser, help stays quiet from now on.
        helpMissing_ = true;
        log_.add("Help is not available");
    }
}

void TransferWindow::abortTransfer() { controller_->abort(); }

void TransferWindow::exitProgram(int code) {
    if (controller_->active()) return;
    exitCode_ = code;
    close();
}

void TransferWindow::closeEvent(QCloseEvent* event) {
    // Closing is not offered while a transfer runs; "&Abort" ends it first.
    if (controller_->active()) {
        event->ignore();
        return;
    }
    controller_->savePort(store_);
    event->accept();
    emit exitRequested(exitCode_);
}

void TransferWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!controller_->active() && data->hasUrls() && data->urls().size() == 1 && data->urls()[0].isLocalFile())
        event->acceptProposedAction();
}

void TransferWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    // Several files at once are ignored, as is a drop during a transfer.
    if (controller_->active() || urls.size() != 1 || !urls[0].isLocalFile()) return;
    if (!controller_->chooseImage(urls[0].toLocalFile().toStdString(), currentDir())) return;
    event->acceptProposedAction();
    scheduleProgram();
}

// --- the engine loop ------------------------------------------------------

void TransferWindow::runPass() {
    if (inPass_ || !controller_->active()) return;
    inPass_ = true;
    // A dialog opened by the pass runs its own event loop: the port must not
    // call back in while it is open.
    if (notifier_) notifier_->setEnabled(false);
    controller_->pass();
    inPass_ = false;
    if (timeoutPending_) {
        timeoutPending_ = false;
        controller_->onTimeout();
    }
    if (controller_->resultDue()) {
        endTransfer();
        return;
    }
    watchPort();
    if (controller_->wantsPass()) passTimer_.start();
}

void TransferWindow::replyTimedOut() {
    if (inPass_) {
        timeoutPending_ = true;  // handled when the pass (and its dialog) is over
        return;
    }
    controller_->onTimeout();
    runPass();
}

void TransferWindow::watchPort() {
    int fd = controller_->pollFd();
    if (fd != watchedFd_) {
        notifier_.reset();
        watchedFd_ = fd;
        if (fd >= 0) {
            notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            connect(notifier_.get(), &QSocketNotifier::activated, this, &TransferWindow::runPass);
        }
    }
    if (notifier_) notifier_->setEnabled(true);
}

void TransferWindow::endTransfer() {
    notifier_.reset();
    watchedFd_ = -1;
    heartbeat_.stop();
    passTimer_.stop();
    replyTimer_.stop();
    timeoutPending_ = false;
    TransferEnding ending = controller_->endTransfer();
    progress_->hide();
    setMenusEnabled(true);
    emit transferEnded(ending.result);
    if (ending.exitProgram) {
        int code = ending.exitCode;
        QTimer::singleShot(0, this, [this, code] { exitProgram(code); });
    }
}

// --- what the session asks of the window -----------------------------------

int TransferWindow::chooseLoadSlot(const std::array<std::string, 4>& storedNames) {
    return dialogs_.chooseLoadSlot(storedNames);
}

int TransferWindow::chooseDownloadOptions() { return dialogs_.chooseDownloadOptions(); }

void TransferWindow::warning(const std::string& text) { dialogs_.showMessage(kErrorCaption, text, true); }

void TransferWindow::setTitle(const std::string& title) { setWindowTitle(QString::fromLocal8Bit(title.c_str())); }

void TransferWindow::progress(int percent) {
    if (percent < 0) {
        progress_->hide();
        return;
    }
    progress_->setValue(percent);
    progress_->show();
}

void TransferWindow::transferStarted() { setMenusEnabled(false); }

bool TransferWindow::start(int milliseconds) {
    timeoutPending_ = false;
    replyTimer_.start(milliseconds < 0 ? 0 : milliseconds);
    return true;
}

void TransferWindow::stop() {
    replyTimer_.stop();
    timeoutPending_ = false;
}

}  // namespace tarvo::xfer
