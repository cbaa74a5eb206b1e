// The About box.
#include "about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace tarvo::xfer {

void AboutIcon::mousePressEvent(QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    if (p.x() >= kLeft && p.x() <= kRight && p.y() >= kTop && p.y() <= kBottom) emit hiddenAreaClicked();
    QLabel::mousePressEvent(event);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About TarvoXfer");
    icon_ = new AboutIcon;
    icon_->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    icon_->setFixedSize(32, 32);
    icon_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* text = new QLabel("Qor Portable Program Transfer Utility v5.70");
    auto* row = new QHBoxLayout;
    row->addWidget(icon_, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(box);
    connect(icon_, &AboutIcon::hiddenAreaClicked, this, &AboutDialog::overrideSettingsRequested);
}

}  // namespace tarvo::xfer
