// About box of tarvocomp; a right click in its top-left corner opens the Hex Listing dialog.
#pragma once

#include <QDialog>

namespace tarvo::compiler {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHiddenCorner = 10;

    AboutDialog(bool listing, QWidget* parent = nullptr);
    bool listing() const { return listing_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool listing_;
};

// One check box "&List"; OK sets the listing option, any other way out leaves it.
bool askListingOption(bool current, QWidget* parent);

}  // namespace tarvo::compiler
