// The save procedure: questions, checks, then one safe write.
#include "tarvo/script/script_saver.h"

#include <sys/stat.h>
#include <unistd.h>

#include "tarvo/common/safe_file.h"
#include "tarvo/model/model.h"
#include "tarvo/script/script_messages.h"
#include "tarvo/script/script_writer.h"

namespace tarvo::script {

namespace {

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool endsWithScr(std::string_view path) {
    if (path.size() < 4) return false;
    std::string_view ext = path.substr(path.size() - 4);
    return ext[0] == '.' && (ext[1] | 0x20) == 's' && (ext[2] | 0x20) == 'c' &&
           (ext[3] | 0x20) == 'r';
}

std::string fileNameOf(std::string_view path) {
    size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// Before writing, Call nodes whose subroutine is gone forget it, so the
// script never names a subroutine that does not exist.
void dropMissingSubroutineCalls(CDocContext& doc) {
    doc.forEachContainer([&](CContainerNode& c) {
        for (const auto& [key, node] : c.nodes()) {
            (void)key;
            if (node->type() != NodeType::Call) continue;
            auto& call = static_cast<CCallNode&>(*node);
            if (!call.subroutine.isEmpty() && !doc.findSubroutine(call.subroutine.targetName))
                call.subroutine.clear();
        }
    });
}

}  // namespace

std::string scriptBaseName(std::string_view path) {
    std::string name = fileNameOf(path);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

std::string ScriptSaver::chooseFileForSaving(std::string_view suggested) {
    auto chosen = prompter_.chooseScriptFile(true, suggested);
    if (!chosen || chosen->empty()) return {};
    std::string path = *chosen;
    if (!endsWithScr(path)) path += ".scr";
    if (fileNameOf(path).size() > kMaxAppNameLength + 4 &&
        prompter_.askYesNo(kMsgLongFileName, kTitleFileWrite) != Answer::Yes)
        return {};
    return path;
}

SaveResult ScriptSaver::save(CDocContext& doc, bool saveAs) {
    // An application without a template gives a script nothing can read back.
    if (doc.templates().empty()) {
        prompter_.showMessage(kMsgNoTemplate, kTitleError);
        return SaveResult::Failed;
    }
    // Text the file cannot hold is reported, never silently replaced.
    auto lossy = ScriptWriter::findUnrepresentableText(doc);
    if (!lossy.empty()) {
        std::string list;
        for (const auto& what : lossy) list += (list.empty() ? "" : ", ") + what;
        prompter_.showMessage(kMsgUnrepresentableText, kTitleError, list);
        return SaveResult::Failed;
    }

    std::string path = narrowLatin1(doc.path());
    if (doc.settings.previousVersion && !saveAs) {
        if (prompter_.askYesNo(kMsgPreviousVersion, kTitleFileWrite) != Answer::Yes) {
            saveAs = true;
            path.clear();
        }
    }
    if (path.empty()) {
        path = chooseFileForSaving(scriptBaseName(narrowLatin1(doc.rootFrame().name())));
        if (path.empty()) return SaveResult::Cancelled;
    }
    if (fileExists(path)) {
        while (::access(path.c_str(), W_OK) != 0) {
            if (prompter_.askYesNo(kMsgReadOnly, kTitleFileWrite) != Answer::Yes)
                return SaveResult::Cancelled;
            saveAs = true;
            path = chooseFileForSaving(scriptBaseName(path));
            if (path.empty()) return SaveResult::Cancelled;
            if (!fileExists(path)) break;
        }
        if (saveAs && fileExists(path) &&
            prompter_.askYesNo(kMsgOverwrite, kTitleFileWrite) != Answer::Yes)
            return SaveResult::Cancelled;
    }
    if (widenLatin1(path).size() > kMaxDocumentPathLength) {
        prompter_.showMessage(kMsgWriteFailed, kTitleFileWrite, "the path is too long");
        return SaveResult::Failed;
    }

    // The root frame takes the file's name on Save As and when it has none,
    // as long as the file name is a valid frame name.
    const std::u16string oldRootName = doc.rootFrame().name();
    const std::u16string base = widenLatin1(scriptBaseName(path));
    bool renameRoot = (saveAs || oldRootName.empty()) && base != oldRootName &&
                      isValidName(base) && base.size() <= kMaxNodeNameLength;
    if (renameRoot) renameRoot = doc.renameNode(doc.rootFrame(), oldRootName, base, NodeType::Frame);
    dropMissingSubroutineCalls(doc);

    FileResult written = writeFileSafely(path, ScriptWriter::write(doc, path));
    if (!written.ok) {
        if (renameRoot) doc.renameNode(doc.rootFrame(), base, oldRootName, NodeType::Frame);
        prompter_.showMessage(kMsgWriteFailed, kTitleFileWrite, written.error);
        return SaveResult::Failed;
    }
    doc.settings.previousVersion = 0;
    doc.setPath(widenLatin1(path));
    return SaveResult::Saved;
}

}  // namespace tarvo::script
