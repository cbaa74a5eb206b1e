// Main window of tarvocomp: the eight-line compile log, menus, dropped files.
#pragma once

#include <QMainWindow>
#include <string>

#include "tarvo/compiler/compile_driver.h"

class QListWidget;

namespace tarvo::compiler {

// Log lines go to the window's list (last eight kept), other messages to standard output.
class WindowMessages : public CompileMessages {
public:
    explicit WindowMessages(QListWidget* list) : list_(list) {}
    void log(const std::string& line) override;
    void console(const std::string& text) override;

private:
    QListWidget* list_;
};

class CompilerWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kLogLines = 8;

    CompilerWindow();

    void setStartedFromCommandLine(bool on) { startedFromCommandLine_ = on; }
    void setListing(bool on) { driver_.setListing(on); }
    bool listing() const { return driver_.listing(); }
    void setTransferEnabled(bool on) { transferEnabled_ = on; }
    QListWidget* logList() const { return log_; }

public slots:
    // Compiles `path`; returns whether an image was written.
    bool compile(const QString& path);
    void openScript();
    void showAbout();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QListWidget* log_;
    WindowMessages messages_;
    CompileDriver driver_;
    bool startedFromCommandLine_ = false;
    bool transferEnabled_ = true;
};

}  // namespace tarvo::compiler
