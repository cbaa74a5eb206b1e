// The override dialog. Opening it asks for the application to be sent; OK makes
// the boxes the transfer's flags, Cancel drops every override.
#include "override_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "protocol/step_table.h"
#include "protocol/transfer_session.h"

namespace tarvo::xfer {

OverrideSettingsDialog::OverrideSettingsDialog(const OverrideState& state, QWidget* parent)
    : QDialog(parent), opening_(state) {
    setWindowTitle("Override Settings");
    auto* layout = new QVBoxLayout(this);
    system_ = new QCheckBox("System");
    toFile_ = new QCheckBox("To file");
    trace_ = new QCheckBox("Trace");
    system_->setChecked(state.overrideFlags & kOverrideSendOs);
    toFile_->setChecked(state.fileMode);
    trace_->setChecked(state.traceLevel > 0);
    for (QCheckBox* box : {system_, toFile_, trace_}) layout->addWidget(box);

    auto* rates = new QGroupBox("Maximum baud rate:");
    auto* rateLayout = new QVBoxLayout(rates);
    rate38400_ = new QRadioButton("38400");
    rate19200_ = new QRadioButton("19200");
    rate9600_ = new QRadioButton("9600");
    for (QRadioButton* b : {rate38400_, rate19200_, rate9600_}) rateLayout->addWidget(b);
    rateButton(state.maxBaud)->setChecked(true);
    layout->addWidget(rates);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
}

QRadioButton* OverrideSettingsDialog::rateButton(int maxBaud) const {
    switch (maxBaud) {
    case kMaxBaud38400: return rate38400_;
    case kMaxBaud19200: return rate19200_;
    default: return rate9600_;  // 9600 and the emulator setting
    }
}

OverrideState OverrideSettingsDialog::accepted() const {
    OverrideState s;
    // Opening the dialog always asks for the application to be sent.
    s.overrideFlags = kOverrideSendApp | (system_->isChecked() ? kOverrideSendOs : 0);
    s.fileMode = toFile_->isChecked();
    // The box gives level 1; the hidden trace file level stays while the box is on.
    s.traceLevel = trace_->isChecked() ? (opening_.traceLevel > 0 ? opening_.traceLevel : 1) : 0;
    if (rate38400_->isChecked()) s.maxBaud = kMaxBaud38400;
    else if (rate19200_->isChecked()) s.maxBaud = kMaxBaud19200;
    else s.maxBaud = kMaxBaud9600;
    return s;
}

OverrideState OverrideSettingsDialog::cancelled() const {
    OverrideState s = opening_;
    s.overrideFlags = 0;
    return s;
}

bool editOverrideSettings(OverrideState& state, QWidget* parent) {
    OverrideSettingsDialog dialog(state, parent);
    bool ok = dialog.exec() == QDialog::Accepted;
    state = ok ? dialog.accepted() : dialog.cancelled();
    return ok;
}

}  // namespace tarvo::xfer
