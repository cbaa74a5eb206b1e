// The real dialogs behind TransferDialogs.
#include "transfer_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "application_number_dialog.h"
#include "download_options_dialog.h"

namespace tarvo::xfer {

int QtTransferDialogs::chooseLoadSlot(const std::array<std::string, 4>& storedNames) {
    ApplicationNumberDialog dialog(storedNames, parent_);
    return dialog.exec() == QDialog::Accepted ? dialog.slot() : -1;
}

int QtTransferDialogs::chooseDownloadOptions() {
    DownloadOptionsDialog dialog(parent_);
    return dialog.exec();  // the button's choice; Esc and close give 0 (cancel)
}

std::optional<std::string> QtTransferDialogs::chooseImageFile(const std::string& startDir) {
    QString path = QFileDialog::getOpenFileName(parent_, "Program File", QString::fromStdString(startDir),
                                                "Tarvo Compiled Files (*.hex)");
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

void QtTransferDialogs::showMessage(const std::string& caption, const std::string& text, bool error) {
    QMessageBox box(error ? QMessageBox::Warning : QMessageBox::Information, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace tarvo::xfer
