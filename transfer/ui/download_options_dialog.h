// "Select Download Options": asked when the terminal's operating system does not
// match the application; three ways on, one per button.
#pragma once
#include <QDialog>

class QPushButton;

namespace tarvo::xfer {

class DownloadOptionsDialog : public QDialog {
    Q_OBJECT
public:
    /// The dialog's results: the button pressed.
    enum Choice { CancelDownload = 0, OsAndApplication = 1, ApplicationOnly = 2 };

    explicit DownloadOptionsDialog(QWidget* parent = nullptr);
    QPushButton* button(Choice choice) const;

private:
    QPushButton* both_;
    QPushButton* appOnly_;
    QPushButton* cancel_;
};

}  // namespace tarvo::xfer
