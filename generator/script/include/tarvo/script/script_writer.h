// ScriptWriter: turns an application into the exact text of its script file.
#pragma once

#include <string>
#include <vector>

#include "tarvo/model/doc_context.h"

namespace tarvo::script {

class ScriptWriter {
public:
    /// The script of `doc` as bytes on disk: Windows-1252 text with CR LF
    /// line ends. `path` is the file's full path, written into the header.
    /// Text the code page cannot hold is written as '?': call
    /// findUnrepresentableText first.
    static std::string write(const CDocContext& doc, const std::string& path);

    /// Names of the objects whose names or texts the script cannot carry
    /// ("Frame1.Display1 description"): characters outside the 8-bit code
    /// page, double quotes, and line breaks (other than CR LF in descriptions).
    /// Double-byte display rows are left out: their characters travel as
    /// display character set positions.
    static std::vector<std::string> findUnrepresentableText(const CDocContext& doc);
};

/// How a position is written: the value plus 0.5, cut towards zero;
/// negative positions are written as 0.
unsigned long scriptCoordinate(double value);

}  // namespace tarvo::script
