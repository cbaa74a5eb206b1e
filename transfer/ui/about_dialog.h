// About box of tarvoxfer; a click on a small area of its icon opens the
// override settings.
#pragma once
#include <QDialog>
#include <QLabel>

namespace tarvo::xfer {

/// The icon of the About box; reports clicks inside its hidden area.
class AboutIcon : public QLabel {
    Q_OBJECT
public:
    /// The hidden area, relative to the icon's top-left corner.
    static constexpr int kLeft = 5, kRight = 28, kTop = 2, kBottom = 11;
    using QLabel::QLabel;
signals:
    void hiddenAreaClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    AboutIcon* icon() const { return icon_; }
signals:
    void overrideSettingsRequested();

private:
    AboutIcon* icon_;
};

}  // namespace tarvo::xfer
