// The slot dialog: four radio buttons, the first chosen at opening.
#include "application_number_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvo::xfer {

ApplicationNumberDialog::ApplicationNumberDialog(const std::array<std::string, 4>& storedNames,
                                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Select Application Number");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Select identification number for the downloaded application:"));
    for (int i = 0; i < 4; ++i) {
        QString name = QString::fromLatin1(storedNames[std::size_t(i)].c_str());
        buttons_[std::size_t(i)] = new QRadioButton(QString("Application %1: %2").arg(i + 1).arg(name));
        layout->addWidget(buttons_[std::size_t(i)]);
    }
    buttons_[0]->setChecked(true);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
}

int ApplicationNumberDialog::slot() const {
    for (int i = 0; i < 4; ++i)
        if (buttons_[std::size_t(i)]->isChecked()) return i;
    return 0;
}

}  // namespace tarvo::xfer
