// The phases of one compile: parse, then declarations, code, fonts and conversion.
#include "tarvo/compiler/script_compiler.h"

#include "code_generator.h"
#include "font_embedder.h"
#include "hex_converter.h"
#include "parse_state.h"
#include "record_writer.h"

namespace tarvo::compiler {

int runScannerAndParser(ParseState& state, const char* source, size_t length);

std::string normalizeLineEnds(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += raw[i];
    }
    return text;
}

CompileResult compileScript(std::string_view script, const CompileOptions& options, CompileMessages& messages) {
    CompileResult result;
    ParseState state(messages);
    int parsed = runScannerAndParser(state, script.data(), script.size());
    result.settings = state.settings;
    result.nodeCount = state.nodeCount;
    if (parsed != 0 || !state.program) return result;
    result.accepted = true;

    // The outputs are produced only now that the whole script has been accepted.
    messages.log("HEX conversion of Program follows :");
    RecordWriter writer(messages, state.settings.languageIndex);
    std::string listing;
    CodeGenerator generator(state.settings, writer, options.listing ? &listing : nullptr);
    generator.writePrefix();
    bool ok = generator.generateDeclarations(*state.program);
    if (ok) {
        messages.log("Declarations Completed Compile Phase 1.");
        ok = generator.generateCode(*state.program);
        if (ok) messages.log("Code Completed Compile Phase 2.");
    }
    if (!ok) messages.log(generator.failure());
    if (ok) ok = embedFonts(state.settings, options.fontDirectory, writer, messages);
    if (!ok) {
        messages.log("Program Failed HEX Code Generation Phase.");
        return result;
    }
    writer.finish();

    ConversionInput conversion;
    conversion.recordText = writer.text();
    conversion.labels = generator.labels();
    conversion.resolvedWords = generator.resolvedWords();
    conversion.endOfCodeRecord = writer.endOfCodeRecord();
    conversion.nodeCount = state.nodeCount;
    conversion.modelText = state.settings.modelText;
    result.imageText = convertToImage(conversion);
    if (result.imageText.empty()) {
        messages.log("Program Failed HEX Code Generation Phase.");
        return result;
    }
    result.recordText = writer.text();
    result.listingText = std::move(listing);
    result.imageBytes = writer.imageBytes();
    result.hexGenerated = true;
    messages.log("Program Completed HEX Code Generation Phase.");
    if (!state.lastContainerLine.empty()) messages.log(state.lastContainerLine);
    messages.log("Node Count = " + std::to_string(state.nodeCount));
    return result;
}

}  // namespace tarvo::compiler
