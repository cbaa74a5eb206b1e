// The download-options dialog; closing it any other way cancels the download.
#include "download_options_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::xfer {

DownloadOptionsDialog::DownloadOptionsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Select Download Options");
    auto* layout = new QVBoxLayout(this);
    const char* const texts[] = {
        "The PDT operating system software does not match the downloading application. "
        "Select one of the following three options:",
        "1.  Download both the application and the operating system. All applications "
        "currently stored on the PDT will be erased.",
        "2.  Download the application without downloading the operating system.  The "
        "application may fail or may run incorrectly.",
        "3.  Cancel the download.",
    };
    for (const char* text : texts) {
        auto* label = new QLabel(text);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    both_ = new QPushButton("Download OS and Application");
    appOnly_ = new QPushButton("Download Application Only");
    cancel_ = new QPushButton("Cancel Download");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {both_, appOnly_, cancel_}) buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(both_, &QPushButton::clicked, this, [this] { done(OsAndApplication); });
    connect(appOnly_, &QPushButton::clicked, this, [this] { done(ApplicationOnly); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(CancelDownload); });
    cancel_->setDefault(true);
    setMinimumWidth(520);
}

QPushButton* DownloadOptionsDialog::button(Choice choice) const {
    switch (choice) {
    case OsAndApplication: return both_;
    case ApplicationOnly: return appOnly_;
    default: return cancel_;
    }
}

}  // namespace tarvo::xfer
