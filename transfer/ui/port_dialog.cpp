// The port dialog: one drop-down list, the current port selected.
#include "port_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace tarvo::xfer {

namespace {
bool samePort(const PortChoice& a, const PortChoice& b) {
    return a.device.empty() ? b.device.empty() && a.number == b.number : a.device == b.device;
}
}  // namespace

PortDialog::PortDialog(const std::vector<PortEntry>& ports, const PortChoice& current, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Select Communications Port");
    list_ = new QComboBox;
    for (const PortEntry& entry : ports) {
        PortChoice choice;
        choice.number = entry.number;
        choices_.push_back(choice);
        list_->addItem(QString("%1  (port %2)").arg(QString::fromStdString(entry.name)).arg(entry.number));
    }
    // A port remembered or typed that this machine does not list stays choosable.
    bool listed = false;
    for (const PortChoice& c : choices_) listed = listed || samePort(c, current);
    if (!listed && current.device != "virtual") {
        choices_.push_back(current);
        list_->addItem(current.device.empty() ? QString("port %1").arg(current.number)
                                              : QString::fromStdString(current.device));
    }
    PortChoice virtualPort;
    virtualPort.device = "virtual";
    choices_.push_back(virtualPort);
    list_->addItem("Virtual terminal (tarvoterm)");
    for (std::size_t i = 0; i < choices_.size(); ++i)
        if (samePort(choices_[i], current)) list_->setCurrentIndex(int(i));

    auto* layout = new QFormLayout(this);
    layout->addRow("Serial Port:", list_);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(box);
}

PortChoice PortDialog::selected() const {
    int i = list_->currentIndex();
    return i >= 0 && std::size_t(i) < choices_.size() ? choices_[std::size_t(i)] : PortChoice{};
}

}  // namespace tarvo::xfer
