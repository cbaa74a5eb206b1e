// Shared pieces of the window tests: the offscreen application and scripted
// answers to the window's questions.
#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "transfer_dialogs.h"

namespace tarvo::xfer::testing {

/// One application object per test process, on the offscreen platform. It is
/// never destroyed: Qt's devices must not outlive it at process exit.
inline QApplication& application() {
    static int argc = 1;
    static char name[] = "transfer_window_tests";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

/// Runs the event loop until `done` holds or `limitMs` passed; answers `done()`.
/// The limit only keeps a broken test from hanging.
inline bool runUntil(const std::function<bool()>& done, int limitMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

/// Answers the window's questions from a script and records what was asked.
class ScriptedDialogs : public TransferDialogs {
public:
    int slotAnswer = 0;
    int downloadAnswer = 2;
    std::vector<std::string> imageAnswers;  // taken in order; then cancel
    std::vector<std::array<std::string, 4>> slotQuestions;
    int downloadQuestions = 0;
    int imageQuestions = 0;
    std::vector<std::string> messages;  // "caption|text"
    std::function<void()> onSlotQuestion;

    int chooseLoadSlot(const std::array<std::string, 4>& names) override {
        slotQuestions.push_back(names);
        if (onSlotQuestion) onSlotQuestion();
        return slotAnswer;
    }
    int chooseDownloadOptions() override {
        ++downloadQuestions;
        return downloadAnswer;
    }
    std::optional<std::string> chooseImageFile(const std::string&) override {
        ++imageQuestions;
        if (imageAnswers.empty()) return std::nullopt;
        std::string next = imageAnswers.front();
        imageAnswers.erase(imageAnswers.begin());
        return next;
    }
    void showMessage(const std::string& caption, const std::string& text, bool) override {
        messages.push_back(caption + "|" + text);
    }
};

}  // namespace tarvo::xfer::testing
