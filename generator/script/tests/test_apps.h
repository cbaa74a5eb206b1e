// Helpers that build small applications for the script tests.
#pragma once

#include <memory>
#include <string>

#include "tarvo/model/model.h"

namespace tarvo::script::testing {

/// The settings a new application takes from the default configuration.
inline AppSettings defaultSettings() {
    AppSettings s;
    s.model = 0;
    s.promptLanguage = u"Wst8";
    s.otherLanguage = u"Wst8";
    s.fontFace = u"Microsoft Sans Serif";
    s.fontSize = 9;
    return s;
}

inline std::unique_ptr<CDocContext> newApp() {
    auto doc = CDocContext::createNew(defaultSettings());
    doc->rootFrame().setName(u"App");
    doc->rootFrame().syncEmbeddedNames();
    return doc;
}

template <class Node>
Node* add(CDocContext& doc, CContainerNode& c, std::u16string name, double x = 100,
          double y = 100) {
    auto node = std::make_unique<Node>(std::move(name));
    node->position = {x, y};
    return static_cast<Node*>(doc.addNode(c, std::move(node), false));
}

inline CFrameNode* addFrame(CDocContext& doc, CFrameNode& parent, std::u16string name) {
    auto frame = std::make_unique<CFrameNode>(std::move(name));
    return static_cast<CFrameNode*>(doc.addNode(parent, std::move(frame), false));
}

/// The script text with CR LF turned into LF, for readable expectations.
inline std::string unixText(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

}  // namespace tarvo::script::testing
