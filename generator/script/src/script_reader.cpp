// The script reader: a declarations phase, then container and node records
// read line by line, then the fixes that need the whole application.
#include "tarvo/script/script_reader.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <vector>

#include "tarvo/common/safe_file.h"
#include "tarvo/common/vocabulary.h"
#include "tarvo/model/model.h"
#include "tarvo/script/ansi_codec.h"
#include "tarvo/script/line_tokenizer.h"
#include "tarvo/script/script_messages.h"
#include "tarvo/script/script_saver.h"

namespace tarvo::script {

namespace {

std::u16string wide(std::string_view text) { return ansiToWide(text); }

// The part of a full name after its last full stop.
std::u16string lastPart(std::string_view fullName) {
    size_t dot = fullName.rfind('.');
    return wide(dot == std::string_view::npos ? fullName : fullName.substr(dot + 1));
}

std::string trimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

std::string trim(std::string text) {
    text = trimRight(std::move(text));
    size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start);
}

bool keywordType(const std::string& word, NodeType& type) {
    return !word.empty() && typeFromKeyword(wide(word), type);
}

// Splits at commas outside double quotes.
std::vector<std::string> splitItems(std::string_view text) {
    std::vector<std::string> items(1);
    bool inQuote = false;
    for (char ch : text) {
        if (ch == '"') inQuote = !inQuote;
        if (ch == ',' && !inQuote)
            items.emplace_back();
        else
            items.back() += ch;
    }
    return items;
}

// Reads "x y" pairs of a bend-point comment; a token starting with "(" is skipped.
void readBendPoints(LineTokenizer& t, std::vector<PointD>& points) {
    for (;;) {
        std::string token = t.next(delims::kComment);
        if (!token.empty() && token[0] == '(') continue;
        long x = 0, y = 0;
        if (!parseDecimal(token, x)) return;
        if (!parseDecimal(t.next(delims::kComment), y)) return;
        points.push_back({static_cast<double>(x), static_cast<double>(y)});
    }
}

class Reader {
public:
    Reader(Prompter& prompter, std::string path) : prompter_(prompter), path_(std::move(path)) {}

    std::unique_ptr<CDocContext> run(std::string_view text) {
        doc_ = std::make_unique<CDocContext>();
        doc_->settings.previousVersion = 1;
        splitLines(text);
        if (failed_) return nullptr;
        header();
        declarations();
        if (!failed_) frames();
        if (failed_) return nullptr;
        afterLoad();
        doc_->setPath(widenLatin1(path_));
        return std::move(doc_);
    }

private:
    // ---- lines ------------------------------------------------------------

    void splitLines(std::string_view text) {
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.emplace_back(line);
            start = end + 1;
        }
    }

    // Moves to the next line; false at the end of the file and after a line
    // too long to be a script line (a syntax error).
    bool nextLine() {
        if (failed_ || lineNo_ >= lines_.size()) return false;
        ++lineNo_;
        if (line().size() > kMaxScriptLineLength) {
            syntaxError(lineNo_);
            return false;
        }
        return true;
    }
    const std::string& line() const { return lines_[lineNo_ - 1]; }

    void syntaxError(size_t lineNo) {
        failed_ = true;
        prompter_.showMessage(kMsgSyntaxError, kTitleError, path_ + "\n" + std::to_string(lineNo));
    }
    void unexpectedEnd() {
        if (failed_) return;  // the reason was shown already
        failed_ = true;
        prompter_.showMessage(kMsgUnexpectedEnd, kTitleError,
                              path_ + "\n" + std::to_string(lines_.size()));
    }

    // ---- header and declarations ----------------------------------------

    void header() {
        if (!nextLine()) return;
        size_t at = line().find('@');
        if (at == std::string::npos) return;
        LineTokenizer t(std::string_view(line()).substr(at + 1));
        for (int i = 0; i < 4; ++i) t.next(delims::kSpace);
        int* sizes[] = {&doc_->settings.frameWidth, &doc_->settings.frameHeight,
                        &doc_->settings.nodeWidth, &doc_->settings.nodeHeight};
        for (int* size : sizes) {
            long v = 0;
            if (parseDecimal(t.next(delims::kSpace), v) && v > 0 && v <= 32767)
                *size = static_cast<int>(v);
        }
        std::string face;
        if (t.quoted(face) && !face.empty() && face.size() <= kMaxFontFaceLength)
            doc_->settings.fontFace = wide(face);
        long size = 0;
        parseDecimal(t.next(delims::kSpace), size);
        doc_->settings.fontSize = size <= 0 || size > 1000 ? 9 : static_cast<int>(size);
    }

    void newFormatLine() {
        oldFormat_ = false;
        doc_->settings.previousVersion = 0;
    }

    void declarations() {
        while (nextLine()) {
            LineTokenizer t(line());
            std::string word = t.next(delims::kWord);
            if (word.empty()) continue;
            if (word == "Declarations") {
                if (oldFormat_ && frameCount_ == 0) {
                    std::u16string base = widenLatin1(scriptBaseName(path_));
                    nameRoot(isValidName(base) ? base : u"Frame1", {0, 0});
                    frameCount_ = 1;
                }
            } else if (word == "Portable") {
                newFormatLine();
                std::string model;
                t.quoted(model);
                doc_->settings.model = lookupWord(words::modelNames(), model);
            } else if (word == "Language") {
                newFormatLine();
                std::string code = t.next(delims::kWord);
                if (code.size() <= kMaxLanguageCodeLength) doc_->settings.promptLanguage = wide(code);
            } else if (word == "SystemFontSize") {
                newFormatLine();
                doc_->settings.otherLanguage = t.next(delims::kWord) == "12" ? u"Wst12" : u"Wst8";
            } else if (word == "Charset") {
                charsetLine(t);
            } else if (word == "TEMPLATE") {
                if (!templateRecord(t)) return;
            } else if (word == "FIELD") {
                std::string name;
                t.quoted(name);
                long length = 0, delimiter = 0;
                t.number(length);
                auto field = std::make_unique<CFieldDecl>(wide(name), 1);
                if (length != 0) {
                    field->length = static_cast<int>(std::clamp<long>(length, 0, 0x7FFF));
                } else if (t.number(delimiter) && delimiter > 0 && delimiter <= 255) {
                    field->setDelimiter(static_cast<char16_t>(delimiter));
                } else {
                    field->setDelimiter(u',');
                }
                doc_->addField(std::move(field));
            } else if (word == "FILE") {
                std::string name;
                t.quoted(name);
                doc_->addFile(std::make_unique<CFileDecl>(wide(name)));
            } else if (word == "REG") {
                std::string name;
                t.quoted(name);
                auto reg = std::make_unique<CRegisterDecl>(wide(name));
                long size = kRegisterSize;
                if (t.number(size)) reg->size = static_cast<int>(std::clamp<long>(size, 0, 0x7FFF));
                doc_->addRegister(std::move(reg));
            } else {
                --lineNo_;  // this line starts the frames
                return;
            }
        }
    }

    void charsetLine(LineTokenizer& t) {
        long count = 0;
        if (!t.number(count) || count < 0) return;
        charsetTotal_ += count;
        while (charsetRead_ < charsetTotal_) {
            std::string token = t.next(delims::kWord);
            if (token.empty()) return;
            unsigned long code = 0;
            auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), code, 16);
            ++charsetRead_;
            if (ec == std::errc() && end == token.data() + token.size() && code > 0 &&
                code <= 0xFFFF)
                doc_->charset().addCharacter(static_cast<char16_t>(code));
        }
    }

    bool templateRecord(LineTokenizer& t) {
        std::string name;
        t.quoted(name);
        auto tmpl = std::make_unique<CTemplateDecl>(wide(name));
        CTemplateDecl* added = doc_->addTemplate(std::move(tmpl));
        std::string_view first = line();
        bool done = first.find(')') != std::string_view::npos;
        while (!done) {
            if (!nextLine()) {
                unexpectedEnd();
                return false;
            }
            LineTokenizer f(line());
            std::string field;
            if (f.quoted(field) && !trim(field).empty() && added) {
                if (doc_->findDeclaration(NodeType::Field, wide(field)))
                    added->fields.push_back(wide(field));
                else
                    prompter_.showMessage(322, kTitleFileReadError, field);
            }
            done = line().find(')') != std::string::npos;
        }
        return true;
    }

    // ---- frames phase -----------------------------------------------------

    void nameRoot(const std::u16string& name, PointD position) {
        CFrameNode& root = doc_->rootFrame();
        if (!root.setName(name)) root.setName(u"Frame1");
        root.lastAddedName = root.name();
        root.position = position;
        root.syncEmbeddedNames();
    }

    void frames() {
        while (!failed_ && nextLine()) {
            LineTokenizer t(line());
            std::string word = t.next(delims::kWord);
            if (word.empty()) continue;
            if (word == "Frame")
                frameRecord(t);
            else if (word == "Subroutine")
                subroutineRecord(t);
            else
                nodeRecord(word, t);
        }
    }

    // The quoted full name and the position that open a container or node
    // header; a missing part is a syntax error on this line.
    bool nameAndPosition(LineTokenizer& t, std::string& fullName, long& x, long& y) {
        if (!t.quoted(fullName) || fullName.empty() || !t.number(x) || !t.number(y)) {
            syntaxError(lineNo_);
            return false;
        }
        return true;
    }

    // Header, description and owned-subroutine lines of a frame or subroutine,
    // up to (not including) its Entry line.
    bool containerLines(LineTokenizer& t, CContainerNode& c, std::string& fullName) {
        long x = 0, y = 0;
        if (!nameAndPosition(t, fullName, x, y)) return false;
        c.position = {static_cast<double>(x), static_cast<double>(y)};
        while (nextLine()) {
            LineTokenizer d(line());
            std::string word = d.next(delims::kWord);
            if (word == "Entry") {
                --lineNo_;  // handed on to the node records
                return true;
            }
            if (word == "Description") {
                std::string text = d.upToQuote();
                if (trim(text) == "Subs") {
                    std::string sub;
                    if (d.quoted(sub) && c.type() == NodeType::Frame)
                        static_cast<CFrameNode&>(c).ownedSubroutines.push_back(wide(sub));
                } else {
                    appendDescription(d, c);
                }
            }
        }
        unexpectedEnd();
        return false;
    }

    void appendDescription(LineTokenizer& t, CNodeBase& node) {
        std::string text;
        if (!t.quoted(text) || text.find_first_not_of(' ') == std::string::npos) return;
        std::u16string out = node.description();
        std::u16string add = wide(text);
        for (size_t i = 0; i < add.size(); ++i) {
            if (add[i] == u'\\' && i + 1 < add.size() && add[i + 1] == u'n') {
                out += u"\r\n";
                ++i;
            } else {
                out += add[i];
            }
        }
        node.setDescription(out);
    }

    void frameRecord(LineTokenizer& t) {
        auto frame = std::make_unique<CFrameNode>();
        std::string fullName;
        if (!containerLines(t, *frame, fullName)) return;
        std::u16string name = lastPart(fullName);
        ++frameCount_;
        if (frameCount_ == 1) {
            nameRoot(isValidName(name) ? name : u"Frame1", frame->position);
            CFrameNode& root = doc_->rootFrame();
            root.setDescription(frame->description());
            root.ownedSubroutines = frame->ownedSubroutines;
            current_ = &root;
            return;
        }
        if (!frame->setName(name) || !isValidName(name)) {
            syntaxError(lineNo_);
            return;
        }
        if (current_ && current_->type() == NodeType::Subroutine) {
            prompter_.showMessage(kMsgFrameInSubroutine, kTitleFileReadError);
            dropped_ = true;
            return;
        }
        CFrameNode* parent = oldFormat_ ? &doc_->rootFrame() : parentOf(fullName);
        bool taken = parent->findChildFrame(name) ||
                     doc_->frames().count(makeNodeKey(NodeType::Frame, name)) != 0;
        auto* added = static_cast<CFrameNode*>(doc_->addNode(*parent, std::move(frame), taken));
        if (!added) {
            syntaxError(lineNo_);
            return;
        }
        if (oldFormat_ && frameCount_ == 2)
            doc_->rootFrame().entry().next.setTarget(NodeType::Frame, added->name());
        current_ = added;
        dropped_ = false;
    }

    CFrameNode* parentOf(const std::string& fullName) {
        CFrameNode& root = doc_->rootFrame();
        std::vector<std::string> parts;
        size_t start = 0;
        for (;;) {
            size_t dot = fullName.find('.', start);
            parts.push_back(fullName.substr(start, dot - start));
            if (dot == std::string::npos) break;
            start = dot + 1;
        }
        if (parts.size() < 2 || wide(parts[0]) != root.name()) return &root;
        CFrameNode* parent = &root;
        for (size_t i = 1; i + 1 < parts.size(); ++i)
            if (CFrameNode* f = parent->findChildFrame(wide(parts[i]))) parent = f;
        return parent;
    }

    void subroutineRecord(LineTokenizer& t) {
        auto sub = std::make_unique<CSubroutineNode>();
        std::string fullName;
        if (!containerLines(t, *sub, fullName)) return;
        std::u16string name = lastPart(fullName);
        if (!isValidName(name) || !sub->setName(name)) {
            syntaxError(lineNo_);
            return;
        }
        sub->syncEmbeddedNames();
        if (!current_ || current_->type() != NodeType::Frame) {
            prompter_.showMessage(current_ ? kMsgSubroutineInSubroutine : kMsgNoActiveFrame,
                                  kTitleFileReadError);
            dropped_ = true;
            return;
        }
        auto& frame = static_cast<CFrameNode&>(*current_);
        CSubroutineNode* added = doc_->addSubroutine(frame, std::move(sub));
        added->lastAddedName = name;  // references in the file use this name
        if (oldFormat_) frame.ownedSubroutines.push_back(added->name());
        current_ = added;
        dropped_ = false;
    }

    // ---- node records -----------------------------------------------------

    void nodeRecord(const std::string& word, LineTokenizer& t) {
        NodeType type = NodeType::None;
        if (!keywordType(word, type) || type == NodeType::Frame || type == NodeType::Subroutine ||
            isDeclarationType(type) || type == NodeType::None) {
            prompter_.showMessage(kMsgUnrecognizedNodeType, kTitleFileReadError);
            failed_ = true;
            return;
        }
        // Records of a container that was dropped, or before any frame, are
        // read and thrown away.
        CContainerNode* container = dropped_ ? nullptr : current_;
        std::unique_ptr<CNodeBase> owned;
        CNodeBase* node = nullptr;
        if (type == NodeType::Entry) {
            if (container) node = &container->entry();
        } else if (type == NodeType::Return) {
            if (container && container->type() == NodeType::Subroutine)
                node = &static_cast<CSubroutineNode*>(container)->returnNode();
        } else {
            owned = createNode(type);
            node = owned.get();
        }
        std::unique_ptr<CNodeBase> scratch;
        if (!node) {
            // A Return outside a subroutine, or no container: read into a
            // throw-away node so the lines are consumed.
            scratch = createNode(type == NodeType::Entry || type == NodeType::Return
                                     ? NodeType::Display
                                     : type);
            node = scratch.get();
            if (!container && !dropped_) prompter_.showMessage(kMsgNoActiveFrame, kTitleFileReadError);
        }
        if (!nodeLines(t, *node, type)) return;

        bool endsContainer = line().find(';') != std::string::npos;
        if (owned && container) fileNode(*container, std::move(owned));
        if (endsContainer && current_ && !dropped_) {
            if (current_->type() == NodeType::Subroutine)
                current_ = &doc_->rootFrame();
            else if (auto* parent = static_cast<CFrameNode*>(current_)->parentFrame)
                current_ = parent;
        } else if (endsContainer && dropped_) {
            dropped_ = false;
        }
    }

    std::unique_ptr<CNodeBase> createNode(NodeType type) {
        const std::uint8_t model = doc_->settings.model;
        switch (type) {
        case NodeType::Call: return std::make_unique<CCallNode>();
        case NodeType::Copy: return std::make_unique<CCopyNode>();
        case NodeType::Display: return std::make_unique<CDisplayNode>(u"Display1", model);
        case NodeType::Input: return std::make_unique<CInputNode>();
        case NodeType::Math: return std::make_unique<CMathNode>();
        case NodeType::Menu: return std::make_unique<CMenuNode>(u"Menu1", model);
        case NodeType::Modify: return std::make_unique<CModifyNode>();
        case NodeType::Output: return std::make_unique<COutputNode>();
        case NodeType::Verify: return std::make_unique<CVerifyNode>();
        case NodeType::Exit: return std::make_unique<CExitNode>();
        default: return nullptr;
        }
    }

    void fileNode(CContainerNode& c, std::unique_ptr<CNodeBase> node) {
        const NodeType type = node->type();
        // Unique names only when the file repeats one, so loaded links stay as read.
        bool taken = c.findInNodes(type, node->name()) != nullptr;
        CNodeBase* added = doc_->addNode(c, std::move(node), taken);
        if (!added || type != NodeType::Exit || c.type() != NodeType::Frame) return;
        auto& exit = static_cast<CExitNode&>(*added);
        auto& frame = static_cast<CFrameNode&>(c);
        ExitRecord record{exit.name(), exit.target};
        record.link.bendPoints = pendingExitBends_;
        frame.exitRecords[makeNodeKey(exit.target.targetType, exit.name())] = record;
    }

    // The header line and the following lines of one node, up to its Branch line.
    bool nodeLines(LineTokenizer& t, CNodeBase& node, NodeType type) {
        std::string fullName;
        long x = 0, y = 0;
        if (!nameAndPosition(t, fullName, x, y)) return false;
        if (type != NodeType::Entry) {
            std::u16string name = lastPart(fullName);
            if (!isValidName(name) || !node.setName(name)) {
                syntaxError(lineNo_);
                return false;
            }
        }
        node.position = {static_cast<double>(x), static_cast<double>(y)};
        pendingExitBends_.clear();
        while (nextLine()) {
            LineTokenizer s(line());
            std::string word = s.next(delims::kWord);
            if (word == "Description") {
                appendDescription(s, node);
            } else if (word == "Source" || word == "Special" || word == "Destination") {
                if (word == "Source" && !node.sourceOperand() && type != NodeType::Display &&
                    type != NodeType::Menu && type != NodeType::Input &&
                    !std::string_view(s.rest()).starts_with(")")) {
                    prompter_.showMessage(kMsgUnexpectedType, kTitleFileReadError);
                    continue;
                }
                section(word, s, node);
            } else if (word == "Branch") {
                branch(s, node);
                return true;
            } else if (!word.empty() && type == NodeType::Exit) {
                continue;
            } else if (!word.empty()) {
                syntaxError(lineNo_);
                return false;
            }
        }
        unexpectedEnd();
        return false;
    }

    // ---- sections ---------------------------------------------------------

    void section(const std::string& which, LineTokenizer& t, CNodeBase& node) {
        switch (node.type()) {
        case NodeType::Copy: {
            auto& n = static_cast<CCopyNode&>(node);
            if (which == "Source") source(t, n.source);
            if (which == "Destination") destination(t, n.destination);
            break;
        }
        case NodeType::Display:
            if (which == "Source") displayRows(t, static_cast<CDisplayNode&>(node).text);
            break;
        case NodeType::Menu:
            if (which == "Source") displayRows(t, static_cast<CMenuNode&>(node).text);
            break;
        case NodeType::Input: inputSection(which, t, static_cast<CInputNode&>(node)); break;
        case NodeType::Math: {
            auto& n = static_cast<CMathNode&>(node);
            if (which == "Source") source(t, n.operand1);
            if (which == "Special") {
                readWord(t, words::mathOperationWords(), n.operation);
                source(t, n.operand2);
            }
            if (which == "Destination") destination(t, n.result);
            break;
        }
        case NodeType::Modify: {
            auto& n = static_cast<CModifyNode&>(node);
            if (which == "Source") source(t, n.data);
            if (which == "Special") {
                readWord(t, words::modifyOperationWords(), n.operation);
                if (n.operation == ModifyOperation::SearchReplace) {
                    std::string search, replace;
                    if (t.quoted(search)) n.searchText = wide(search);
                    if (t.quoted(replace)) n.replaceText = wide(replace);
                }
            }
            if (which == "Destination") destination(t, n.destination);
            break;
        }
        case NodeType::Output: {
            auto& n = static_cast<COutputNode&>(node);
            if (which == "Source") source(t, n.source);
            if (which == "Destination") {
                readWord(t, words::outputDevices(), n.device);
            }
            break;
        }
        case NodeType::Verify: verifySection(which, t, static_cast<CVerifyNode&>(node)); break;
        default: break;
        }
    }

    void recordLocation(LineTokenizer& t, FileRef& f) {
        if (t.peek() == '.') t.skip(1);
        if (t.peek() == '"') {
            std::string reg;
            t.quoted(reg);
            f.location = RecordLocation::Index;
            f.indexRegister = wide(reg);
            return;
        }
        std::string word = t.next(delims::kWord);
        long number = 0;
        if (word == "First") {
            f.location = RecordLocation::First;
        } else if (word == "Last") {
            f.location = RecordLocation::Last;
        } else if (parseDecimal(word, number)) {
            f.location = RecordLocation::Number;
            f.recordNumber = static_cast<std::int32_t>(std::clamp<long>(number, INT32_MIN, INT32_MAX));
        }
    }

    void regField(LineTokenizer& t, RegisterRef& r) {
        std::string reg, tmpl;
        t.quoted(reg);
        t.quoted(tmpl);
        long position = 0;
        t.number(position);  // recomputed from the template on every save
        r.isField = true;
        r.registerName = wide(reg);
        r.templateName = wide(tmpl);
        r.fieldName = wide(t.next(delims::kName));
    }

    // Answers the first word so callers can read what follows.
    void source(LineTokenizer& t, SourceOperand& op) {
        std::string word = t.next(delims::kWord);
        std::string text;
        if (word == "LITERAL") {
            op.kind = SourceKind::Literal;
            if (t.quoted(text)) op.literal = wide(text);
        } else if (word == "REG") {
            op.kind = SourceKind::Register;
            op.reg = {};
            if (t.quoted(text)) op.reg.registerName = wide(text);
        } else if (word == "REGFIELD") {
            op.kind = SourceKind::Register;
            op.reg = {};
            regField(t, op.reg);
        } else if (word == "FILE") {
            op.kind = SourceKind::File;
            op.file = {};
            if (t.quoted(text)) op.file.fileName = wide(text);
        } else if (word == "FILERECORD") {
            op.kind = SourceKind::File;
            op.file = {};
            op.file.isRecord = true;
            if (t.quoted(text)) op.file.fileName = wide(text);
            recordLocation(t, op.file);
        }
    }

    // Reads the next word; a word the table knows sets `out` to its code, any
    // other word leaves `out` as it was.
    template <class Enum, class Table>
    static void readWord(LineTokenizer& t, const Table& table, Enum& out) {
        std::uint8_t code = lookupWord(table, t.next(delims::kWord));
        if (code != kWordNotFound) out = static_cast<Enum>(code);
    }

    void fileWriteWord(LineTokenizer& t, FileRef& f) {
        readWord(t, words::fileWriteWords(), f.writeType);
    }

    void destination(LineTokenizer& t, DestinationOperand& op) {
        std::string word = t.next(delims::kWord);
        std::string text;
        if (word == "REG") {
            op.kind = DestinationKind::Register;
            op.reg = {};
            if (t.quoted(text)) op.reg.registerName = wide(text);
            readWord(t, words::registerWriteWords(), op.registerWrite);
        } else if (word == "REGFIELD") {
            op.kind = DestinationKind::Register;
            op.reg = {};
            regField(t, op.reg);
        } else if (word == "FILE") {
            op.kind = DestinationKind::File;
            op.file = {};
            if (t.quoted(text)) op.file.fileName = wide(text);
            if (t.peek() == '.') {
                t.skip(1);
                readWord(t, words::recordLocations(), op.file.location);
            }
            fileWriteWord(t, op.file);
        } else if (word == "FILERECORD") {
            op.kind = DestinationKind::File;
            op.file = {};
            op.file.isRecord = true;
            if (t.quoted(text)) op.file.fileName = wide(text);
            recordLocation(t, op.file);
            fileWriteWord(t, op.file);
        }
    }

    void displayRows(LineTokenizer& t, DisplayText& text) {
        const bool doubleByte = !doc_->settings.promptLanguage.starts_with(u"Wst");
        for (size_t row = 0; row < kMaxDisplayRows; ++row) {
            std::string word = t.next(delims::kWord);
            if (word == "NOLITERAL") {
                text.rows[row].clear();
            } else if (word == "DISPLAYLITERAL") {
                std::string first;
                t.quoted(first);
                if (!doubleByte) {
                    text.setRow(row, wide(first), nullptr);
                    continue;
                }
                std::string ignored;
                t.quoted(ignored);
                std::u16string chars;
                LineTokenizer positions(first);
                for (std::string p = positions.next(delims::kSpace); !p.empty();
                     p = positions.next(delims::kSpace)) {
                    unsigned long pos = 0;
                    auto [end, ec] = std::from_chars(p.data(), p.data() + p.size(), pos, 16);
                    char16_t ch = 0;
                    if (ec == std::errc() && end == p.data() + p.size() &&
                        doc_->charset().characterAt(pos, ch))
                        chars += ch;
                }
                text.setRow(row, chars, &doc_->charset());
            } else {
                return;
            }
        }
    }

    void inputSection(const std::string& which, LineTokenizer& t, CInputNode& n) {
        if (which == "Source") {
            static constexpr const char* kWords[] = {"WAND", "KEYBOARD", "FUNCTIONKEY", "SERIAL",
                                                     "Timeout"};
            for (std::string w = t.next(delims::kWord); !w.empty(); w = t.next(delims::kWord)) {
                for (size_t i = 0; i < kInputChannelCount; ++i) {
                    if (w != kWords[i]) continue;
                    n.channels[i].on = true;
                    long seconds = 0;
                    if (i == static_cast<size_t>(InputChannel::Timeout) && t.number(seconds))
                        n.timeoutSeconds = static_cast<int>(std::clamp<long>(seconds, 0, 0x7FFF));
                }
            }
        } else if (which == "Special") {
            for (;;) {
                char next = t.peek();
                if (next == 'R' && t.rest().starts_with("REG")) {
                    n.sizeToRegister = true;
                    destination(t, n.sizeRegister);
                    continue;
                }
                std::string w = t.next(delims::kWord);
                if (w.empty()) break;
                long v = 0;
                if (w == "Show") {
                    n.echoToDisplay = true;
                } else if (w == "Row" && t.number(v)) {
                    n.echoRow = static_cast<int>(std::clamp<long>(v, 0, 255));
                } else if (w == "Column" && t.number(v)) {
                    n.echoColumn = static_cast<int>(std::clamp<long>(v, 0, 255));
                } else if (w == "Clear" && t.number(v)) {
                    n.clearDisplay = v != 0;
                    n.clearToEndOfLine = v == kClearToEndOfLine;
                    n.clearCount = v == kClearToEndOfLine ? 0 : static_cast<int>(std::clamp<long>(v, 0, 255));
                }
            }
            if (n.echoRow == kCurrentCursorPosition && n.echoColumn == kCurrentCursorPosition) {
                n.echoAtCursor = true;
                n.echoRow = n.echoColumn = 0;
            }
        } else if (which == "Destination") {
            destination(t, n.destination);
        }
    }

    void verifySection(const std::string& which, LineTokenizer& t, CVerifyNode& n) {
        std::string text;
        if (which == "Source") {
            source(t, n.source);
            n.sorted = t.next(delims::kWord) == "ASCII";
        } else if (which == "Special") {
            readWord(t, words::dataTypes(), n.dataType);
            auto rangeEnd = [&](RangeValue& v) {
                std::string w = t.next(delims::kWord);
                std::string value;
                t.quoted(value);
                v.fromRegister = w == "REG";
                (v.fromRegister ? v.registerName : v.text) = wide(value);
            };
            for (std::string w = t.next(delims::kWord); !w.empty(); w = t.next(delims::kWord)) {
                if (w == "LITERAL" && t.quoted(text)) {
                    n.comparison = ComparisonKind::Constant;
                    n.constant = wide(text);
                } else if (w == "Range") {
                    n.comparison = ComparisonKind::Range;
                    rangeEnd(n.low);
                    rangeEnd(n.high);
                } else if (w == "REG" && t.quoted(text)) {
                    n.comparison = ComparisonKind::Register;
                    n.comparisonRegister = wide(text);
                } else if (w == "IGNORECASE") {
                    n.ignoreCase = true;
                }
            }
        } else if (which == "Destination") {
            if (t.next(delims::kWord) == "REG" && t.quoted(text)) {
                n.storeIndex = true;
                n.indexRegister = wide(text);
            }
        }
    }

    // ---- branches -----------------------------------------------------------

    void target(std::string_view item, NodeLink& link) {
        link.clear();
        LineTokenizer t(item);
        NodeType type = NodeType::None;
        if (!keywordType(t.next(delims::kWordLineEnds), type)) return;
        if (type == NodeType::Entry) type = NodeType::None;
        NodeType own = NodeType::None;
        if (type == NodeType::Exit) {
            std::string word = trim(t.upToQuote());
            keywordType(word, own);
        }
        std::string fullName;
        if (!t.quoted(fullName)) return;
        if (type == NodeType::None) return;
        link.setTarget(type, lastPart(fullName));
        if (own == NodeType::Exit) {
            // The final target written after the exit: a type word and a full name.
            t.next(delims::kWord);
            std::string ignored;
            t.quoted(ignored);
        }
        size_t comment = t.rest().find("/*");
        if (comment == std::string_view::npos) return;
        t.skip(comment);
        readBendPoints(t, link.bendPoints);
    }

    void branch(LineTokenizer& t, CNodeBase& node) {
        std::string contents(t.rest());
        // Drop the closing parentheses of the section, the node and the container.
        while (!contents.empty() && std::string_view(") ;,").find(contents.back()) != std::string::npos)
            contents.pop_back();
        std::vector<std::string> items = splitItems(contents);
        auto item = [&](size_t i) -> std::string_view {
            return i < items.size() ? std::string_view(items[i]) : std::string_view();
        };
        switch (node.type()) {
        case NodeType::Entry: target(item(0), static_cast<CEntryNode&>(node).next); break;
        case NodeType::Exit: exitBranch(t, static_cast<CExitNode&>(node)); break;
        case NodeType::Call: {
            auto& n = static_cast<CCallNode&>(node);
            target(item(0), n.subroutine);
            target(item(1), n.next);
            break;
        }
        case NodeType::Display: target(item(0), static_cast<CDisplayNode&>(node).next); break;
        case NodeType::Modify: target(item(0), static_cast<CModifyNode&>(node).next); break;
        case NodeType::Copy:
        case NodeType::Math:
        case NodeType::Output:
        case NodeType::Verify: {
            auto links = node.links();
            target(item(0), *links[0]);
            target(item(1), *links[1]);
            break;
        }
        case NodeType::Menu: {
            auto& n = static_cast<CMenuNode&>(node);
            for (size_t i = 0; i < kMenuKeyCount; ++i) target(item(i), n.keys[i].link);
            n.updateEnabledFlags();
            break;
        }
        case NodeType::Input: {
            auto& n = static_cast<CInputNode&>(node);
            size_t i = 0;
            for (auto& ch : n.channels)
                if (ch.on) target(item(i++), ch.link);
            target(item(i), n.error);
            break;
        }
        default: break;
        }
    }

    // `/* Branch( Display "App.Done" ( 5 6 ) )) */`: the exit's target, then
    // the bend points of the frame's exit link.
    void exitBranch(LineTokenizer& t, CExitNode& exit) {
        NodeType type = NodeType::None;
        std::string word = t.next(delims::kWord);
        std::string name;
        bool hasName = t.quoted(name);
        exit.target.clear();
        if (keywordType(word, type) && type != NodeType::None && hasName && !name.empty())
            exit.target.setTarget(type, lastPart(name));
        std::string_view rest = t.rest();
        size_t open = rest.find('(');
        if (open == std::string_view::npos) return;
        t.skip(open);
        readBendPoints(t, pendingExitBends_);
    }

    // ---- after the load -----------------------------------------------------

    void afterLoad() {
        for (const auto& [key, sub] : doc_->subroutines()) {
            (void)key;
            if (sub->lastAddedName != sub->name()) {
                for (const auto& [k, node] : sub->nodes()) {
                    (void)k;
                    node->renameReferences(sub->lastAddedName, sub->name(), NodeType::Return);
                }
                sub->lastAddedName = sub->name();
            }
        }
        doc_->rebuildCallers();
    }

    Prompter& prompter_;
    std::string path_;
    std::unique_ptr<CDocContext> doc_;
    std::vector<std::string> lines_;
    size_t lineNo_ = 0;
    bool failed_ = false;
    bool oldFormat_ = true;
    int frameCount_ = 0;
    long charsetTotal_ = 0;
    long charsetRead_ = 0;
    CContainerNode* current_ = nullptr;
    bool dropped_ = false;  // the current record's container was refused
    std::vector<PointD> pendingExitBends_;
};

}  // namespace

std::unique_ptr<CDocContext> ScriptReader::load(const std::string& path) {
    std::string data;
    FileResult read = readWholeFile(path, data);
    if (!read.ok) {
        prompter_.showMessage(kMsgErrorOpeningFile, kTitleFileError, path);
        return nullptr;
    }
    return loadText(data, path);
}

std::unique_ptr<CDocContext> ScriptReader::loadText(std::string_view text, const std::string& path) {
    return Reader(prompter_, path).run(text);
}

}  // namespace tarvo::script
