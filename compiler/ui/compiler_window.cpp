// Compiler window: Open, drops, the wait cursor, the title after a compile, starting tarvoxfer.
#include "compiler_window.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <iostream>

#include "about_dialog.h"

namespace tarvo::compiler {

void WindowMessages::log(const std::string& line) {
    if (list_->count() >= CompilerWindow::kLogLines) delete list_->takeItem(0);
    list_->addItem(QString::fromLocal8Bit(line.c_str()));
    list_->scrollToBottom();
}

void WindowMessages::console(const std::string& text) { std::cout << text << std::flush; }

CompilerWindow::CompilerWindow() : log_(new QListWidget), messages_(log_), driver_(messages_) {
    setWindowTitle("Qor Portable Compiler");
    move(100, 50);
    resize(350, 150);
    log_->setSelectionMode(QAbstractItemView::NoSelection);
    setCentralWidget(log_);
    setAcceptDrops(true);

    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open...", this, &CompilerWindow::openScript);
    file->addAction("&Compile");  // no action of its own
    file->addSeparator();
    file->addAction("E&xit", this, &QWidget::close);
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&About Portable Compiler...", this, &CompilerWindow::showAbout);
}

bool CompilerWindow::compile(const QString& path) {
    if (isMinimized()) showNormal();
    activateWindow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool written = driver_.compile(path.toLocal8Bit().toStdString());
    QApplication::restoreOverrideCursor();
    setWindowTitle(QString("Tarvo Compiler [%1]").arg(QString::fromLocal8Bit(lowerCase(driver_.baseName()).c_str())));
    if (written && transferEnabled_ && !startTransferUtility(driver_.imagePath()))
        messages_.log("Can't access TarvoXfer tool to download application");
    if (written && startedFromCommandLine_) QTimer::singleShot(0, this, &QWidget::close);
    return written;
}

void CompilerWindow::openScript() {
    QFileDialog dialog(this, "Compile File", QDir::currentPath(), "Tarvo Source Files (*.scr)");
    dialog.setDefaultSuffix("scr");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    startedFromCommandLine_ = false;
    QString chosen = dialog.selectedFiles().front();
    if (!driver_.splitPath(chosen.toLocal8Bit().toStdString())) return;
    compile(QString::fromLocal8Bit(driver_.outputPath(".scr").c_str()));
}

void CompilerWindow::showAbout() {
    AboutDialog about(driver_.listing(), this);
    about.exec();
    driver_.setListing(about.listing());
}

void CompilerWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CompilerWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return;  // several files are ignored
    startedFromCommandLine_ = false;
    compile(urls.front().toLocalFile());
}

}  // namespace tarvo::compiler
