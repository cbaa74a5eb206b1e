// RecordingPrompter: answers the script code's questions from a script of
// answers and records every message and question.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tarvo/script/prompter.h"

namespace tarvo::script {

class RecordingPrompter : public Prompter {
public:
    struct Shown {
        int messageId;
        int titleId;
        std::string detail;
    };

    /// Answers for askYesNo, in order; Yes once they run out.
    std::deque<Answer> answers;
    /// Paths for chooseScriptFile, in order; cancelled once they run out.
    std::deque<std::string> paths;

    std::vector<int> asked;
    std::vector<Shown> shown;
    int chooserCalls = 0;

    void showMessage(int messageId, int titleId, std::string_view detail) override {
        shown.push_back({messageId, titleId, std::string(detail)});
    }
    Answer askYesNo(int messageId, int) override {
        asked.push_back(messageId);
        if (answers.empty()) return Answer::Yes;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> chooseScriptFile(bool, std::string_view) override {
        ++chooserCalls;
        if (paths.empty()) return std::nullopt;
        std::string p = paths.front();
        paths.pop_front();
        return p;
    }

    std::vector<int> shownIds() const {
        std::vector<int> ids;
        for (const auto& s : shown) ids.push_back(s.messageId);
        return ids;
    }
};

}  // namespace tarvo::script
