// About box and the hidden Hex Listing dialog.
#include "about_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::compiler {

AboutDialog::AboutDialog(bool listing, QWidget* parent) : QDialog(parent), listing_(listing) {
    setWindowTitle("About Qor Portable Compiler");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Qor Portable Compiler"));
    layout->addWidget(new QLabel("Version 5.70"));
    auto* ok = new QPushButton("&OK");
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::mousePressEvent(QMouseEvent* event) {
    QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton && at.x() < kHiddenCorner && at.y() < kHiddenCorner)
        listing_ = askListingOption(listing_, this);
    QDialog::mousePressEvent(event);
}

bool askListingOption(bool current, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Hex Listing");
    auto* layout = new QVBoxLayout(&dialog);
    auto* box = new QCheckBox("&List");
    box->setChecked(current);
    layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    return dialog.exec() == QDialog::Accepted ? box->isChecked() : current;
}

}  // namespace tarvo::compiler
