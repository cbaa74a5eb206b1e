// "Override Settings": the hidden settings of a transfer: send the operating
// system, write to files instead of the port, trace, and the maximum baud rate.
#pragma once
#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace tarvo::xfer {

/// The settings the dialog edits.
struct OverrideState {
    int overrideFlags = 0;
    bool fileMode = false;
    int traceLevel = 0;
    int maxBaud = 0;
};

class OverrideSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OverrideSettingsDialog(const OverrideState& state, QWidget* parent = nullptr);

    /// The settings after OK: the boxes and the chosen rate.
    OverrideState accepted() const;
    /// The settings after Cancel: no override; file mode and trace as at opening.
    OverrideState cancelled() const;

    QCheckBox* systemBox() const { return system_; }
    QCheckBox* toFileBox() const { return toFile_; }
    QCheckBox* traceBox() const { return trace_; }
    QRadioButton* rateButton(int maxBaud) const;

private:
    OverrideState opening_;
    QCheckBox* system_;
    QCheckBox* toFile_;
    QCheckBox* trace_;
    QRadioButton* rate38400_;
    QRadioButton* rate19200_;
    QRadioButton* rate9600_;
};

/// Shows the dialog and applies its rules to `state`; true after OK.
bool editOverrideSettings(OverrideState& state, QWidget* parent);

}  // namespace tarvo::xfer
