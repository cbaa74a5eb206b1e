// ScriptSaver: the Save and Save As procedure of an application, with its questions.
#pragma once

#include <string>

#include "tarvo/model/doc_context.h"
#include "tarvo/script/prompter.h"

namespace tarvo::script {

enum class SaveResult {
    Saved,      // the file was written
    Cancelled,  // a question was answered No or a dialog cancelled; nothing changed
    Failed,     // the file could not be written or the application cannot be saved
};

/// A script file name has at most this many characters before ".scr" for the
/// terminal to show it whole.
inline constexpr std::size_t kMaxAppNameLength = 13;

class ScriptSaver {
public:
    explicit ScriptSaver(Prompter& prompter) : prompter_(prompter) {}

    /// Saves `doc` to its path (asking for one when it has none). `saveAs`
    /// overwrites an existing file only after asking, and names the root
    /// frame after the file.
    SaveResult save(CDocContext& doc, bool saveAs);

    /// The Save dialog with the script rules: ".scr" appended when missing,
    /// and a question when the name is too long for the terminal. Answers the
    /// path, or an empty string when cancelled.
    std::string chooseFileForSaving(std::string_view suggested);

private:
    Prompter& prompter_;
};

/// The file name of `path` without its folder and without its extension.
std::string scriptBaseName(std::string_view path);

}  // namespace tarvo::script
