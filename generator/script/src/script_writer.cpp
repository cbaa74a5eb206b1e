// The script writer: one function per record of the script text.
#include "tarvo/script/script_writer.h"

#include <cstdio>

#include "tarvo/common/vocabulary.h"
#include "tarvo/model/model.h"
#include "tarvo/script/ansi_codec.h"

namespace tarvo::script {

namespace {

constexpr const char* kIndent4 = "    ";
constexpr const char* kIndent8 = "        ";
/// Exit chains are walked at most this many steps (a cycle of exits has no end).
constexpr int kMaxExitChainSteps = 1000;

std::string ansi(std::u16string_view text) { return wideToAnsi(text); }

std::string word(WordTable table, std::size_t code) { return std::string(wordAt(table, code)); }

std::string type(NodeType t) { return ansi(typeName(t)); }

std::string quoted(std::u16string_view text) { return "\"" + ansi(text) + "\""; }

std::string coords(const PointD& p) {
    return std::to_string(scriptCoordinate(p.x)) + " " + std::to_string(scriptCoordinate(p.y));
}

std::string descriptionText(std::u16string_view text) {
    if (text.empty()) return " ";
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += u"\\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return ansi(out);
}

class Writer {
public:
    explicit Writer(const CDocContext& doc) : doc_(doc) {}

    std::string run(const std::string& path) {
        header(path);
        settingsLines();
        declarations();
        frame(doc_.rootFrame());
        bool first = true;
        for (const auto& [key, sub] : doc_.subroutines()) {
            (void)key;
            if (!first) out_ += ";";
            first = false;
            subroutine(*sub);
        }
        out_ += "\n";
        return toDiskLineEnds(out_);
    }

private:
    // Every line feed becomes CR LF on disk, as in the desktop's text mode.
    static std::string toDiskLineEnds(const std::string& text) {
        std::string out;
        out.reserve(text.size() + text.size() / 16);
        for (char ch : text) {
            if (ch == '\n') out += '\r';
            out += ch;
        }
        return out;
    }

    void header(const std::string& path) {
        const AppSettings& s = doc_.settings;
        out_ += "/* Tarvo Script Program : " + path + " @ ";
        const long values[] = {s.gridWidth,
                               s.gridHeight,
                               static_cast<long>(static_cast<unsigned>(s.gridWidth) / 2u),
                               static_cast<long>(static_cast<unsigned>(s.gridHeight) / 2u),
                               s.frameWidth,
                               s.frameHeight,
                               s.nodeWidth,
                               s.nodeHeight};
        for (long v : values) out_ += std::to_string(v) + " ";
        out_ += quoted(s.fontFace) + " -13 C00 3 */";
    }

    void settingsLines() {
        const AppSettings& s = doc_.settings;
        out_ += "\nPortable \"" + word(words::modelNames(), s.model) + "\"";
        out_ += "\nLanguage " + quoted(s.promptLanguage);
        if (s.model <= 1 && s.promptLanguage != u"Wst8") charsetLines();
        out_ += s.otherLanguage == u"Wst12" ? "\nSystemFontSize 12" : "\nSystemFontSize 8";
    }

    void charsetLines() {
        std::string buffer;
        int inBuffer = 0;
        int written = 0;
        for (char16_t ch : doc_.charset().characters()) {
            if (written == static_cast<int>(kMaxDisplayCharacters)) break;
            char hex[24];
            std::snprintf(hex, sizeof hex, "%04x", static_cast<unsigned>(ch));
            if (!buffer.empty()) buffer += " ";
            buffer += hex;
            ++inBuffer;
            ++written;
            if (inBuffer == 10) {
                out_ += "\nCharset 10 \"" + buffer + "\"";
                buffer.clear();
                inBuffer = 0;
            }
        }
        if (!buffer.empty()) out_ += "\nCharset " + std::to_string(inBuffer) + " \"" + buffer + "\"";
    }

    void declarations() {
        out_ += "\nDeclarations (";
        for (const auto& [key, reg] : doc_.registers()) {
            (void)key;
            out_ += std::string("\n") + kIndent4 + "REG " + quoted(reg->name()) + ".128,";
        }
        for (const auto& [key, file] : doc_.files()) {
            (void)key;
            out_ += std::string("\n") + kIndent4 + "FILE " + quoted(file->name()) + ",";
        }
        for (const auto& [key, field] : doc_.fields()) {
            (void)key;
            out_ += std::string("\n") + kIndent4 + "FIELD " + quoted(field->name()) + ".";
            if (field->kind == FieldKind::Fixed)
                out_ += std::to_string(static_cast<unsigned>(field->length)) + ",";
            else
                out_ += "0." + std::to_string(static_cast<unsigned>(field->delimiter)) + ",";
        }
        bool firstTemplate = true;
        for (const auto& [key, tmpl] : doc_.templates()) {
            (void)key;
            if (!firstTemplate) out_ += ",";
            firstTemplate = false;
            out_ += std::string("\n") + kIndent4 + "TEMPLATE " + quoted(tmpl->name()) + " (";
            for (size_t i = 0; i < tmpl->fields.size(); ++i) {
                if (i > 0) out_ += ",";
                out_ += std::string("\n") + kIndent8 + quoted(tmpl->fields[i]);
            }
            out_ += " )";
        }
        if (!doc_.templates().empty()) out_ += " )";
    }

    // ---- containers -------------------------------------------------------

    void frame(const CFrameNode& f) {
        out_ += "\nFrame " + quoted(fullName(f)) + "( /* " + coords(f.position) + " */";
        description(kIndent4, f);
        for (const auto& sub : f.ownedSubroutines)
            out_ += std::string("\n") + kIndent4 + "/* Description Subs " + quoted(sub) + " */";
        entry(f);
        for (const auto& [key, node] : f.nodes())
            if (node->type() == NodeType::Exit) exitRecord(f, static_cast<const CExitNode&>(*node));
        std::vector<const CNodeBase*> others;
        for (const auto& [key, node] : f.nodes())
            if (node->type() != NodeType::Exit) others.push_back(node.get());
        for (size_t i = 0; i < others.size(); ++i) {
            nodeRecord(f, *others[i]);
            if (i + 1 < others.size() || !f.childFrames().empty()) out_ += ",";
        }
        bool firstChild = true;
        for (const auto& [key, child] : f.childFrames()) {
            (void)key;
            if (!firstChild) out_ += ";";
            firstChild = false;
            frame(*child);
        }
        out_ += ")";
        if (&f == &doc_.rootFrame() && !doc_.subroutines().empty()) out_ += ";";
    }

    void subroutine(const CSubroutineNode& s) {
        out_ += "\nSubroutine " + quoted(s.name()) + "( /* " + coords(s.position) + " */";
        description(kIndent4, s);
        entry(s);
        for (const auto& [key, node] : s.nodes()) {
            (void)key;
            if (node->type() == NodeType::Exit) continue;  // never part of a subroutine
            nodeRecord(s, *node);
            out_ += ",";
        }
        const CReturnNode& r = s.returnNode();
        nodeHeader(s, r);
        out_ += std::string("\n") + kIndent8 + "Source(),";
        out_ += std::string("\n") + kIndent8 + "Special(),";
        out_ += std::string("\n") + kIndent8 + "Destination(),";
        out_ += std::string("\n") + kIndent8 + "Branch()";
        out_ += ")";
        out_ += ")";
    }

    void description(const char* indent, const CNodeBase& node) {
        out_ += std::string("\n") + indent + "/* Description(\"" + descriptionText(node.description()) +
                "\") */";
    }

    void entry(const CContainerNode& c) {
        const CEntryNode& e = c.entry();
        out_ += std::string("\n") + kIndent4 + "/* Entry " + quoted(e.name()) + "( " +
                coords(e.position) + " )*/";
        out_ += std::string("\n") + kIndent8 + "Branch (";
        const NodeLink& link = e.next;
        if (!link.isEmpty()) {
            out_ += type(link.targetType) + " " + quoted(fullName(c) + u"." + link.targetName);
            bendComment(link);
            if (link.targetType == NodeType::Exit && c.type() == NodeType::Frame) {
                auto* exit = dynamic_cast<const CExitNode*>(
                    c.findInNodes(NodeType::Exit, link.targetName));
                if (exit) {
                    if (const CNodeBase* fin = finalTarget(static_cast<const CFrameNode&>(c), *exit))
                        out_ += " " + type(fin->type()) + " " + quoted(fullName(*fin));
                }
            }
        }
        out_ += " )";
    }

    void exitRecord(const CFrameNode& f, const CExitNode& x) {
        out_ += std::string("\n") + kIndent4 + "/* Exit " + quoted(x.name()) + "( " +
                coords(x.position) + " */";
        out_ += std::string("\n") + kIndent8 + "/* Description(\"" + descriptionText(x.description()) +
                "\") */";
        out_ += std::string("\n") + kIndent8 + "/* Branch(";
        std::u16string target = x.target.targetName;
        if (f.parentFrame) target = f.parentFrame->name() + u"." + target;
        out_ += " " + type(x.target.targetType) + " " + quoted(target);
        for (const auto& [key, rec] : f.exitRecords) {
            (void)key;
            if (rec.exitName != x.name() || rec.link.bendPoints.empty()) continue;
            out_ += " (";
            for (const PointD& p : rec.link.bendPoints) out_ += " " + coords(p);
            out_ += " )";
            break;
        }
        out_ += " )) */";
    }

    // ---- exit chains ------------------------------------------------------

    // Follows an Exit out through the parent frames (and into frames whose
    // Entry leads to another Exit) to the node where the flow continues.
    const CNodeBase* finalTarget(const CFrameNode& frame, const CExitNode& start) const {
        const CFrameNode* current = &frame;
        const CExitNode* exit = &start;
        for (int step = 0; step < kMaxExitChainSteps; ++step) {
            const CFrameNode* parent = current->parentFrame;
            if (!parent || exit->target.isEmpty()) return nullptr;
            const NodeLink& t = exit->target;
            if (t.targetType == NodeType::Frame) {
                const CFrameNode* child = parent->findChildFrame(t.targetName);
                if (!child) return nullptr;
                const NodeLink& in = child->entry().next;
                if (in.isEmpty()) return nullptr;
                const CNodeBase* node = lookup(*child, in);
                if (!node) return nullptr;
                if (node->type() != NodeType::Exit) return node;
                current = child;
                exit = static_cast<const CExitNode*>(node);
                continue;
            }
            const CNodeBase* node = lookup(*parent, t);
            if (!node) return nullptr;
            if (node->type() != NodeType::Exit) return node;
            current = parent;
            exit = static_cast<const CExitNode*>(node);
        }
        return nullptr;
    }

    const CNodeBase* lookup(const CFrameNode& frame, const NodeLink& link) const {
        if (link.targetType == NodeType::Frame) return frame.findChildFrame(link.targetName);
        if (link.targetType == NodeType::Subroutine) return doc_.findSubroutine(link.targetName);
        return frame.findInNodes(link.targetType, link.targetName);
    }

    // ---- node records -----------------------------------------------------

    void nodeHeader(const CContainerNode& c, const CNodeBase& node) {
        out_ += std::string("\n") + kIndent4 + type(node.type()) + " " +
                quoted(fullName(c) + u"." + node.name()) + "( /* " + coords(node.position) + " */";
        description(kIndent8, node);
    }

    void section(const char* name, const std::string& contents) {
        out_ += std::string("\n") + kIndent8 + name + "(" + contents + "),";
    }

    void branch(const std::string& contents) {
        out_ += std::string("\n") + kIndent8 + "Branch(" + contents + "))";
    }

    void nodeRecord(const CContainerNode& c, const CNodeBase& node) {
        nodeHeader(c, node);
        switch (node.type()) {
        case NodeType::Call: {
            auto& n = static_cast<const CCallNode&>(node);
            section("Source", "");
            section("Special", "");
            section("Destination", "");
            out_ += std::string("\n") + kIndent8 + "Branch(" + target(c, n.subroutine) + ", " +
                    target(c, n.next) + " ) )";
            break;
        }
        case NodeType::Copy: {
            auto& n = static_cast<const CCopyNode&>(node);
            section("Source", source(n.source));
            section("Special", "");
            section("Destination", destination(n.destination));
            branch(twoTargets(c, n.next, n.error));
            break;
        }
        case NodeType::Display: {
            auto& n = static_cast<const CDisplayNode&>(node);
            section("Source", displayLines(n.text));
            section("Special", "");
            section("Destination", "");
            branch(target(c, n.next));
            break;
        }
        case NodeType::Input: inputRecord(c, static_cast<const CInputNode&>(node)); break;
        case NodeType::Math: {
            auto& n = static_cast<const CMathNode&>(node);
            section("Source", source(n.operand1));
            section("Special", word(words::mathOperationWords(), static_cast<size_t>(n.operation)) +
                                   ", " + source(n.operand2));
            section("Destination", destination(n.result));
            twoTargetsOrEmpty(c, n.next, n.error);
            break;
        }
        case NodeType::Menu: {
            auto& n = static_cast<const CMenuNode&>(node);
            section("Source", displayLines(n.text));
            section("Special", "");
            section("Destination", "");
            std::string keys;
            for (size_t i = 0; i < n.keys.size(); ++i) {
                if (i > 0) keys += ", ";
                keys += target(c, n.keys[i].link);
            }
            branch(keys);
            break;
        }
        case NodeType::Modify: {
            auto& n = static_cast<const CModifyNode&>(node);
            section("Source", source(n.data));
            std::string special =
                word(words::modifyOperationWords(), static_cast<size_t>(n.operation));
            if (n.operation == ModifyOperation::SearchReplace)
                special += "(LITERAL " + quoted(n.searchText) + ", LITERAL " +
                           quoted(n.replaceText) + ")";
            section("Special", special);
            section("Destination", destination(n.destination));
            branch(target(c, n.next));
            break;
        }
        case NodeType::Output: {
            auto& n = static_cast<const COutputNode&>(node);
            section("Source", source(n.source));
            section("Special", "");
            section("Destination", word(words::outputDevices(), static_cast<size_t>(n.device)));
            twoTargetsOrEmpty(c, n.next, n.error);
            break;
        }
        case NodeType::Verify: verifyRecord(c, static_cast<const CVerifyNode&>(node)); break;
        default:
            section("Source", "");
            section("Special", "");
            section("Destination", "");
            branch("");
            break;
        }
    }

    void inputRecord(const CContainerNode& c, const CInputNode& n) {
        static constexpr const char* kChannelWords[] = {"WAND", "KEYBOARD", "FUNCTIONKEY",
                                                        "SERIAL"};
        std::string channels;
        for (size_t i = 0; i < kInputChannelCount; ++i) {
            if (!n.channels[i].on) continue;
            if (!channels.empty()) channels += "|";
            if (i < 4)
                channels += kChannelWords[i];
            else
                channels += "Timeout(" + std::to_string(n.timeoutSeconds) + ")";
        }
        section("Source", channels);

        std::string special;
        if (n.sizeToRegister) {
            DestinationOperand size = n.sizeRegister;
            size.kind = DestinationKind::Register;
            size.registerWrite = RegisterWriteType::Overwrite;
            special += destination(size);
        }
        if (n.echoToDisplay) {
            if (!special.empty()) special += ", ";
            unsigned row = n.echoAtCursor ? kCurrentCursorPosition : static_cast<unsigned>(n.echoRow);
            unsigned col =
                n.echoAtCursor ? kCurrentCursorPosition : static_cast<unsigned>(n.echoColumn);
            unsigned clear = !n.clearDisplay      ? 0u
                             : n.clearToEndOfLine ? static_cast<unsigned>(kClearToEndOfLine)
                                                  : static_cast<unsigned>(n.clearCount);
            special += "Show(Row(" + std::to_string(row) + "),Column(" + std::to_string(col) +
                       "),Clear(" + std::to_string(clear) + "))";
        }
        section("Special", special);
        section("Destination", destination(n.destination));

        const std::string self =
            " Input " + quoted(fullName(c) + u"." + n.name());
        std::string targets;
        auto add = [&](const NodeLink& link) {
            if (!targets.empty()) targets += ", ";
            targets += link.isEmpty() ? self : target(c, link);
        };
        for (const auto& ch : n.channels)
            if (ch.on) add(ch.link);
        add(n.error);
        branch(targets);
    }

    void verifyRecord(const CContainerNode& c, const CVerifyNode& n) {
        std::string src = source(n.source);
        if (n.source.kind == SourceKind::File && n.sorted) src += ", ASCII";
        section("Source", src);
        std::string comparison = word(words::dataTypes(), static_cast<size_t>(n.dataType));
        auto rangeEnd = [](const RangeValue& v) {
            return v.fromRegister ? "REG " + quoted(v.registerName) : "LITERAL " + quoted(v.text);
        };
        switch (n.comparison) {
        case ComparisonKind::None: break;
        case ComparisonKind::Constant: comparison += ", LITERAL " + quoted(n.constant); break;
        case ComparisonKind::Range:
            comparison += ", Range(" + rangeEnd(n.low) + ", " + rangeEnd(n.high) + ")";
            break;
        case ComparisonKind::Register: comparison += ", REG " + quoted(n.comparisonRegister); break;
        }
        if (n.ignoreCase) comparison += ", IGNORECASE";
        section("Special", comparison);
        std::string dest;
        if (n.source.kind == SourceKind::File && n.storeIndex)
            dest = "REG " + quoted(n.indexRegister) + ",OVERWRITE";
        section("Destination", dest);
        twoTargetsOrEmpty(c, n.next, n.error);
    }

    // ---- operands ---------------------------------------------------------

    std::string regField(const RegisterRef& r) {
        size_t position = 0;
        auto it = doc_.templates().find(r.templateName);
        if (it != doc_.templates().end()) position = it->second->positionOf(r.fieldName);
        return "REGFIELD " + quoted(r.registerName) + "." + quoted(r.templateName) + "." +
               std::to_string(position) + "/*" + ansi(r.fieldName) + "*/";
    }

    static std::string recordLocation(const FileRef& f) {
        switch (f.location) {
        case RecordLocation::First: return "First";
        case RecordLocation::Last: return "Last";
        case RecordLocation::Index: return quoted(f.indexRegister);
        case RecordLocation::Number: return std::to_string(f.recordNumber);
        }
        return "First";
    }

    std::string source(const SourceOperand& op) {
        switch (op.kind) {
        case SourceKind::Literal: return "LITERAL " + quoted(op.literal);
        case SourceKind::Register:
            return op.reg.isField ? regField(op.reg) : "REG " + quoted(op.reg.registerName);
        case SourceKind::File:
            if (op.file.isRecord)
                return "FILERECORD " + quoted(op.file.fileName) + "." + recordLocation(op.file);
            return "FILE " + quoted(op.file.fileName);
        }
        return {};
    }

    std::string destination(const DestinationOperand& op) {
        if (op.kind == DestinationKind::Register) {
            if (op.reg.isField) return regField(op.reg);
            return "REG " + quoted(op.reg.registerName) + ", " +
                   word(words::registerWriteWords(), static_cast<size_t>(op.registerWrite));
        }
        const FileRef& f = op.file;
        std::string text;
        if (f.isRecord)
            text = "FILERECORD " + quoted(f.fileName) + "." + recordLocation(f);
        else if (f.writeType == FileWriteType::Insert)
            text = "FILE " + quoted(f.fileName) + "." +
                   word(words::recordLocations(), static_cast<size_t>(f.location));
        else
            text = "FILE " + quoted(f.fileName);
        return text + ", " + word(words::fileWriteWords(), static_cast<size_t>(f.writeType));
    }

    std::string displayLines(const DisplayText& text) {
        const AppSettings& s = doc_.settings;
        const bool doubleByte = isDoubleByteLanguage(s.promptLanguage);
        int rows = screenGeometry(s.promptLanguage, s.model).rows;
        if (rows > static_cast<int>(kMaxDisplayRows)) rows = static_cast<int>(kMaxDisplayRows);
        std::string out;
        for (int i = 0; i < rows; ++i) {
            if (i > 0) out += ", ";
            const std::u16string& row = text.rows[static_cast<size_t>(i)];
            if (row.find_first_not_of(u' ') == std::u16string::npos) {
                out += "NOLITERAL";
                continue;
            }
            out += "DISPLAYLITERAL ";
            if (doubleByte) {
                out += "\"";
                for (char16_t ch : row) {
                    size_t pos = doc_.charset().positionOf(ch);
                    if (pos == 0) continue;
                    char hex[24];
                    std::snprintf(hex, sizeof hex, "%02zx ", pos);
                    out += hex;
                }
                out += "\"";
            }
            out += quoted(row);
        }
        return out;
    }

    // ---- branch targets ---------------------------------------------------

    std::string target(const CContainerNode& c, const NodeLink& link) {
        if (link.isEmpty()) return {};
        std::string out = " " + type(link.targetType);
        const std::u16string container = fullName(c);
        if (link.targetType == NodeType::Subroutine) {
            out += " " + quoted(link.targetName);
        } else if (link.targetType == NodeType::Exit) {
            auto* exit = dynamic_cast<const CExitNode*>(c.findInNodes(NodeType::Exit, link.targetName));
            NodeType own = exit ? exit->target.targetType : NodeType::None;
            size_t dot = container.rfind(u'.');
            std::u16string outer = dot == std::u16string::npos ? container : container.substr(0, dot);
            out += " " + type(own) + " " + quoted(outer + u"." + link.targetName);
            if (own == NodeType::Exit) {
                const CNodeBase* fin = nullptr;
                if (exit && c.type() == NodeType::Frame)
                    fin = finalTarget(static_cast<const CFrameNode&>(c), *exit);
                if (fin)
                    out += " " + type(fin->type()) + " " + quoted(fullName(*fin));
                else
                    out += " NO_REF \"\"";
            }
            if (link.bendPoints.empty()) out += " /* */";
        } else {
            out += " " + quoted(container + u"." + link.targetName);
        }
        if (!link.bendPoints.empty()) {
            out += " /*";
            for (const PointD& p : link.bendPoints) out += " " + coords(p);
            out += " */";
        }
        return out;
    }

    void bendComment(const NodeLink& link) {
        if (link.bendPoints.empty()) return;
        out_ += " /*";
        for (const PointD& p : link.bendPoints) out_ += " " + coords(p);
        out_ += " */";
    }

    // Next link A, error link B: an empty A is replaced by B and an empty B by A,
    // so a single filled link is written on both sides of the ", ".
    std::string twoTargets(const CContainerNode& c, const NodeLink& a, const NodeLink& b) {
        const NodeLink& first = a.isEmpty() ? b : a;
        const NodeLink& second = b.isEmpty() ? a : b;
        return target(c, first) + ", " + target(c, second);
    }

    void twoTargetsOrEmpty(const CContainerNode& c, const NodeLink& a, const NodeLink& b) {
        if (a.isEmpty() && b.isEmpty()) {
            out_ += std::string("\n") + kIndent8 + "Branch()" + ")";
            return;
        }
        branch(twoTargets(c, a, b));
    }

    const CDocContext& doc_;
    std::string out_;
};

// ---- unrepresentable text -------------------------------------------------

class TextChecker {
public:
    explicit TextChecker(const CDocContext& doc) : doc_(doc) {}

    std::vector<std::string> run() {
        check("application font", doc_.settings.fontFace);
        for (const auto& [k, d] : doc_.registers()) named(*d);
        for (const auto& [k, d] : doc_.files()) named(*d);
        for (const auto& [k, d] : doc_.fields()) named(*d);
        for (const auto& [k, d] : doc_.templates()) named(*d);
        frame(doc_.rootFrame());
        for (const auto& [k, s] : doc_.subroutines()) container(*s);
        return found_;
    }

private:
    // A text must fit the code page, and must not hold a double quote or a
    // line break of its own: either would end the quoted text or the line.
    void check(const std::string& what, std::u16string_view text, bool crlfAllowed = false) {
        bool bad = !isAnsiRepresentable(text) || text.find(u'"') != std::u16string_view::npos;
        for (size_t i = 0; i < text.size() && !bad; ++i) {
            if (crlfAllowed && text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
                continue;
            }
            bad = text[i] == u'\r' || text[i] == u'\n';
        }
        if (bad) found_.push_back(what);
    }
    void named(const CNodeBase& node) {
        std::string name = wideToAnsi(fullName(node));
        check(name + " name", node.name());
        check(name + " description", node.description(), true);
    }
    void frame(const CFrameNode& f) {
        container(f);
        for (const auto& [k, child] : f.childFrames()) frame(*child);
    }
    void container(const CContainerNode& c) {
        named(c);
        for (const auto& [k, node] : c.nodes()) {
            named(*node);
            std::string name = wideToAnsi(fullName(*node));
            const bool doubleByte = isDoubleByteLanguage(doc_.settings.promptLanguage);
            auto operand = [&](const SourceOperand* op) {
                if (op && op->kind == SourceKind::Literal) check(name + " text", op->literal);
            };
            operand(node->sourceOperand());
            if (auto* m = dynamic_cast<const CMathNode*>(node.get())) operand(&m->operand2);
            if (auto* m = dynamic_cast<const CModifyNode*>(node.get())) {
                check(name + " search text", m->searchText);
                check(name + " replacement text", m->replaceText);
            }
            if (auto* v = dynamic_cast<const CVerifyNode*>(node.get())) {
                check(name + " constant", v->constant);
                check(name + " range", v->low.text);
                check(name + " range", v->high.text);
            }
            const DisplayText* text = nullptr;
            if (auto* d = dynamic_cast<const CDisplayNode*>(node.get())) text = &d->text;
            if (auto* d = dynamic_cast<const CMenuNode*>(node.get())) text = &d->text;
            if (text && !doubleByte)
                for (const auto& row : text->rows) check(name + " display text", row);
        }
    }

    const CDocContext& doc_;
    std::vector<std::string> found_;
};

}  // namespace

unsigned long scriptCoordinate(double value) {
    double v = value + 0.5;
    if (!(v > 0.0)) return 0;  // negatives and NaN
    if (v >= 4294967295.0) return 4294967295UL;
    return static_cast<unsigned long>(v);
}

std::string ScriptWriter::write(const CDocContext& doc, const std::string& path) {
    return Writer(doc).run(path);
}

std::vector<std::string> ScriptWriter::findUnrepresentableText(const CDocContext& doc) {
    return TextChecker(doc).run();
}

}  // namespace tarvo::script
