// TransferDialogs: the questions and boxes of the transfer window. The window
// asks through this interface, so tests answer with scripted replies.
#pragma once
#include <array>
#include <optional>
#include <string>

class QWidget;

namespace tarvo::xfer {

class TransferDialogs {
public:
    virtual ~TransferDialogs() = default;
    /// "Select Application Number": 0..3, or -1 for Cancel.
    virtual int chooseLoadSlot(const std::array<std::string, 4>& storedNames) = 0;
    /// "Select Download Options": 1 OS and application, 2 application only, 0 cancel.
    virtual int chooseDownloadOptions() = 0;
    /// The Open dialog for an image; empty when cancelled.
    virtual std::optional<std::string> chooseImageFile(const std::string& startDir) = 0;
    /// A message box with an OK button.
    virtual void showMessage(const std::string& caption, const std::string& text, bool error) = 0;
};

/// The real dialogs, parented to `parent`.
class QtTransferDialogs : public TransferDialogs {
public:
    explicit QtTransferDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    int chooseLoadSlot(const std::array<std::string, 4>& storedNames) override;
    int chooseDownloadOptions() override;
    std::optional<std::string> chooseImageFile(const std::string& startDir) override;
    void showMessage(const std::string& caption, const std::string& text, bool error) override;

private:
    QWidget* parent_;
};

}  // namespace tarvo::xfer
