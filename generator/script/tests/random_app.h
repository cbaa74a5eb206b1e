// RandomApp: builds seeded random applications that use every record form the
// script knows, for round-trip tests and benchmarks.
#pragma once

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tarvo/model/model.h"

namespace tarvo::script::testing {

class RandomApp {
public:
    explicit RandomApp(unsigned seed) : rng_(seed) {}

    /// An application of about `nodes` flow nodes in nested frames and subroutines.
    std::unique_ptr<CDocContext> build(int nodes, bool doubleByte = false) {
        AppSettings s;
        s.promptLanguage = doubleByte ? u"Chs" : (coin() ? u"Wst8" : u"Wst12");
        s.otherLanguage = coin() ? u"Wst8" : u"Wst12";
        s.fontFace = u"DejaVu Sans";
        s.fontSize = 9;
        doc_ = CDocContext::createNew(s);
        doc_->rootFrame().setName(u"Root App");
        doc_->rootFrame().syncEmbeddedNames();
        if (doubleByte) {
            std::u16string chars;
            for (int i = 0; i < 30; ++i) chars += static_cast<char16_t>(0x4E00 + i * 7);
            doc_->charset().addText(chars);
        }
        doc_->addRegister(std::make_unique<CRegisterDecl>(u"Reg A"));
        doc_->addFile(std::make_unique<CFileDecl>(u"Orders"));
        auto delimited = std::make_unique<CFieldDecl>(u"Csv Part");
        delimited->setDelimiter(u';');
        doc_->addField(std::move(delimited));

        std::vector<CContainerNode*> containers{&doc_->rootFrame()};
        std::vector<CFrameNode*> frames{&doc_->rootFrame()};
        int subs = 0;
        for (int i = 0; i < nodes; ++i) {
            int what = pick(0, 30);
            if (what == 0 && frames.size() < 40) {
                CFrameNode* parent = frames[pick(0, static_cast<int>(frames.size()) - 1)];
                auto* f = static_cast<CFrameNode*>(doc_->addNode(
                    *parent, std::make_unique<CFrameNode>(u"Frame " + num(i)), true));
                if (f) {
                    f->position = point();
                    f->setDescription(text(true));
                    frames.push_back(f);
                    containers.push_back(f);
                }
                continue;
            }
            if (what == 1 && subs < 10) {
                CFrameNode* owner = frames[pick(0, static_cast<int>(frames.size()) - 1)];
                auto* sub = doc_->addSubroutine(*owner,
                                                std::make_unique<CSubroutineNode>(u"Sub" + num(i)));
                sub->position = point();
                sub->returnNode().position = point();
                owner->ownedSubroutines.push_back(sub->name());
                containers.push_back(sub);
                ++subs;
                continue;
            }
            CContainerNode* c = containers[pick(0, static_cast<int>(containers.size()) - 1)];
            addNode(*c, i);
        }
        for (CContainerNode* c : containers) link(*c);
        return std::move(doc_);
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool coin() { return pick(0, 1) == 1; }
    static std::u16string num(int i) {
        std::string s = std::to_string(i);
        return std::u16string(s.begin(), s.end());
    }
    PointD point() { return {static_cast<double>(pick(0, 2000)), static_cast<double>(pick(0, 2000))}; }
    std::u16string text(bool lines = false) {
        static const char16_t* words[] = {u"alpha", u"b\u00E9ta", u"gamma", u"x", u"1 2", u"\u20AC"};
        std::u16string out;
        int n = pick(0, 3);
        for (int i = 0; i < n; ++i) {
            if (i > 0) out += (lines && coin()) ? u"\r\n" : u" ";
            out += words[pick(0, 5)];
        }
        return out;
    }

    SourceOperand source(bool literalAllowed = true) {
        SourceOperand op;
        switch (pick(literalAllowed ? 0 : 1, 2)) {
        case 0: op.kind = SourceKind::Literal; op.literal = text(); break;
        case 1:
            op.kind = SourceKind::Register;
            if (coin())
                op.reg.registerName = u"Reg A";
            else
                op.reg = {u"System Date", true, u"System Date Template", u"Day"};
            break;
        default:
            op.kind = SourceKind::File;
            op.file.fileName = u"Orders";
            op.file.isRecord = coin();
            if (op.file.isRecord) location(op.file);
            break;
        }
        return op;
    }

    void location(FileRef& f) {
        f.location = static_cast<RecordLocation>(pick(0, 3));
        if (f.location == RecordLocation::Index) f.indexRegister = u"Reg A";
        if (f.location == RecordLocation::Number) f.recordNumber = pick(0, 500);
    }

    DestinationOperand destination() {
        DestinationOperand op;
        if (coin()) {
            op.kind = DestinationKind::Register;
            if (coin()) {
                op.reg.registerName = u"Default Register";
                op.registerWrite = static_cast<RegisterWriteType>(pick(0, 3));
            } else {
                op.reg = {u"System Time", true, u"System Time Template", u"Minutes"};
            }
        } else {
            op.kind = DestinationKind::File;
            op.file.fileName = u"Default File";
            op.file.isRecord = coin();
            op.file.writeType = static_cast<FileWriteType>(pick(0, 3));
            if (op.file.isRecord)
                location(op.file);
            else if (op.file.writeType == FileWriteType::Insert)
                op.file.location = static_cast<RecordLocation>(pick(0, 3));
        }
        return op;
    }

    void rows(DisplayText& t) {
        const bool doubleByte = doc_->settings.promptLanguage == u"Chs";
        for (size_t r = 0; r < 6; ++r) {
            if (coin()) continue;
            std::u16string row;
            if (doubleByte) {
                auto chars = doc_->charset().characters();
                for (int i = pick(1, 6); i > 0; --i)
                    row += chars[static_cast<size_t>(pick(0, static_cast<int>(chars.size()) - 1))];
                t.setRow(r, row, &doc_->charset());
            } else {
                row = coin() ? u"   " : text().substr(0, 16);
                t.setRow(r, row, nullptr);
            }
        }
    }

    void addNode(CContainerNode& c, int i) {
        const bool inFrame = c.type() == NodeType::Frame;
        std::unique_ptr<CNodeBase> node;
        switch (pick(0, inFrame ? 9 : 8)) {
        case 0: {
            auto n = std::make_unique<CCopyNode>(u"Copy " + num(i));
            n->source = source();
            n->destination = destination();
            node = std::move(n);
            break;
        }
        case 1: {
            auto n = std::make_unique<CDisplayNode>(u"Display" + num(i));
            rows(n->text);
            node = std::move(n);
            break;
        }
        case 2: {
            auto n = std::make_unique<CMenuNode>(u"Menu" + num(i));
            rows(n->text);
            node = std::move(n);
            break;
        }
        case 3: {
            auto n = std::make_unique<CInputNode>(u"Input" + num(i));
            for (auto& ch : n->channels) ch.on = coin();
            n->timeoutSeconds = n->channels[4].on ? pick(1, 99) : 0;
            n->sizeToRegister = coin();
            if (n->sizeToRegister) n->sizeRegister.reg.registerName = u"Input Size Register";
            n->echoToDisplay = coin();
            if (n->echoToDisplay) {
                n->echoAtCursor = coin();
                if (!n->echoAtCursor) {
                    n->echoRow = pick(0, 20);
                    n->echoColumn = pick(0, 20);
                }
                n->clearDisplay = coin();
                if (n->clearDisplay) {
                    n->clearToEndOfLine = coin();
                    if (!n->clearToEndOfLine) n->clearCount = pick(1, 79);
                }
            }
            n->destination = destination();
            node = std::move(n);
            break;
        }
        case 4: {
            auto n = std::make_unique<CMathNode>(u"Math" + num(i));
            n->operand1 = source();
            n->operation = static_cast<MathOperation>(pick(0, 4));
            n->operand2 = source();
            n->result = destination();
            node = std::move(n);
            break;
        }
        case 5: {
            auto n = std::make_unique<CModifyNode>(u"Modify" + num(i));
            n->data = source(false);
            n->operation = static_cast<ModifyOperation>(pick(0, 5));
            if (n->operation == ModifyOperation::SearchReplace) {
                n->searchText = text();
                n->replaceText = text();
            }
            n->destination = destination();
            node = std::move(n);
            break;
        }
        case 6: {
            auto n = std::make_unique<COutputNode>(u"Output" + num(i));
            n->device = static_cast<OutputDevice>(pick(0, 3));
            n->source = source();
            node = std::move(n);
            break;
        }
        case 7: {
            auto n = std::make_unique<CVerifyNode>(u"Verify" + num(i));
            n->source = source();
            n->sorted = n->source.kind == SourceKind::File && coin();
            n->dataType = static_cast<VerifyDataType>(pick(0, 2));
            n->comparison = static_cast<ComparisonKind>(pick(0, 3));
            if (n->comparison == ComparisonKind::Constant) n->constant = text();
            if (n->comparison == ComparisonKind::Register) n->comparisonRegister = u"Reg A";
            if (n->comparison == ComparisonKind::Range) {
                for (RangeValue* v : {&n->low, &n->high}) {
                    v->fromRegister = coin();
                    (v->fromRegister ? v->registerName : v->text) = v->fromRegister ? u"Reg A" : text();
                }
            }
            n->ignoreCase = coin();
            n->storeIndex = n->source.kind == SourceKind::File && coin();
            if (n->storeIndex) n->indexRegister = u"Reg A";
            node = std::move(n);
            break;
        }
        case 8: node = std::make_unique<CCallNode>(u"Call" + num(i)); break;
        default: node = std::make_unique<CExitNode>(u"Exit" + num(i)); break;
        }
        node->position = point();
        node->setDescription(text(true));
        doc_->addNode(c, std::move(node), true);
    }

    NodeLink linkTo(const CNodeBase& target) {
        NodeLink l;
        l.setTarget(target.type(), target.name());
        for (int i = pick(0, 3); i > 0; --i) l.bendPoints.push_back(point());
        return l;
    }

    // Links every node of `c` to random nodes of the same container (or, for
    // Exits, of the parent frame; for Calls, to subroutines).
    void link(CContainerNode& c) {
        std::vector<CNodeBase*> targets;
        for (const auto& [k, n] : c.nodes()) targets.push_back(n.get());
        auto any = [&](NodeLink& l) {
            if (targets.empty() || pick(0, 4) == 0) return;
            l = linkTo(*targets[static_cast<size_t>(pick(0, static_cast<int>(targets.size()) - 1))]);
        };
        any(c.entry().next);
        c.entry().position = point();
        std::vector<CSubroutineNode*> subs;
        for (const auto& [k, s] : doc_->subroutines()) subs.push_back(s.get());
        for (const auto& [k, n] : c.nodes()) {
            CNodeBase& node = *n;
            if (node.type() == NodeType::Exit) {
                auto* parent = static_cast<CFrameNode&>(c).parentFrame;
                auto& exit = static_cast<CExitNode&>(node);
                if (!parent || parent->nodes().empty()) continue;
                auto it = parent->nodes().begin();
                std::advance(it, pick(0, static_cast<int>(parent->nodes().size()) - 1));
                exit.target.setTarget(it->second->type(), it->second->name());
                ExitRecord rec{exit.name(), exit.target};
                for (int i = pick(0, 2); i > 0; --i) rec.link.bendPoints.push_back(point());
                static_cast<CFrameNode&>(c).exitRecords[makeNodeKey(exit.target.targetType, exit.name())] = rec;
                continue;
            }
            if (node.type() == NodeType::Call) {
                auto& call = static_cast<CCallNode&>(node);
                if (!subs.empty() && coin())
                    call.subroutine.setTarget(NodeType::Subroutine,
                                              subs[static_cast<size_t>(pick(0, static_cast<int>(subs.size()) - 1))]->name());
                any(call.next);
                continue;
            }
            if (node.type() == NodeType::Menu) {
                for (auto& key : static_cast<CMenuNode&>(node).keys) any(key.link);
                continue;
            }
            for (NodeLink* l : node.links()) any(*l);
        }
    }

    std::mt19937 rng_;
    std::unique_ptr<CDocContext> doc_;
};

}  // namespace tarvo::script::testing
