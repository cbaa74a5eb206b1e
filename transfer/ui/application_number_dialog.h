// "Select Application Number": which of the terminal's four slots receives the
// application, shown with the names the terminal reported.
#pragma once
#include <QDialog>
#include <array>
#include <string>

class QRadioButton;

namespace tarvo::xfer {

class ApplicationNumberDialog : public QDialog {
    Q_OBJECT
public:
    explicit ApplicationNumberDialog(const std::array<std::string, 4>& storedNames,
                                     QWidget* parent = nullptr);
    /// The slot chosen, 0..3.
    int slot() const;
    QRadioButton* slotButton(int slot) const { return buttons_[std::size_t(slot)]; }

private:
    std::array<QRadioButton*, 4> buttons_{};
};

}  // namespace tarvo::xfer
