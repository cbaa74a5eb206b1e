// "Select Communications Port": the serial ports of this machine, the virtual
// terminal, and the port in use when it is a device not listed.
#pragma once
#include <QDialog>
#include <vector>

#include "driver/port_settings.h"
#include "serial/port_list.h"

class QComboBox;

namespace tarvo::xfer {

class PortDialog : public QDialog {
    Q_OBJECT
public:
    PortDialog(const std::vector<PortEntry>& ports, const PortChoice& current, QWidget* parent = nullptr);
    /// The port of the selected item.
    PortChoice selected() const;
    QComboBox* portList() const { return list_; }

private:
    std::vector<PortChoice> choices_;
    QComboBox* list_;
};

}  // namespace tarvo::xfer
