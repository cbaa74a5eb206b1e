// NodeVisitor: one call per concrete object type, for writers and tools outside the model.
#pragma once

namespace tarvo {

class CFrameNode;
class CSubroutineNode;
class CEntryNode;
class CReturnNode;
class CExitNode;
class CCallNode;
class CCopyNode;
class CDisplayNode;
class CInputNode;
class CMathNode;
class CMenuNode;
class CModifyNode;
class COutputNode;
class CVerifyNode;
class CFileDecl;
class CRegisterDecl;
class CFieldDecl;
class CTemplateDecl;

class NodeVisitor {
public:
    virtual ~NodeVisitor() = default;
    virtual void visit(CFrameNode&) {}
    virtual void visit(CSubroutineNode&) {}
    virtual void visit(CEntryNode&) {}
    virtual void visit(CReturnNode&) {}
    virtual void visit(CExitNode&) {}
    virtual void visit(CCallNode&) {}
    virtual void visit(CCopyNode&) {}
    virtual void visit(CDisplayNode&) {}
    virtual void visit(CInputNode&) {}
    virtual void visit(CMathNode&) {}
    virtual void visit(CMenuNode&) {}
    virtual void visit(CModifyNode&) {}
    virtual void visit(COutputNode&) {}
    virtual void visit(CVerifyNode&) {}
    virtual void visit(CFileDecl&) {}
    virtual void visit(CRegisterDecl&) {}
    virtual void visit(CFieldDecl&) {}
    virtual void visit(CTemplateDecl&) {}
};

class ConstNodeVisitor {
public:
    virtual ~ConstNodeVisitor() = default;
    virtual void visit(const CFrameNode&) {}
    virtual void visit(const CSubroutineNode&) {}
    virtual void visit(const CEntryNode&) {}
    virtual void visit(const CReturnNode&) {}
    virtual void visit(const CExitNode&) {}
    virtual void visit(const CCallNode&) {}
    virtual void visit(const CCopyNode&) {}
    virtual void visit(const CDisplayNode&) {}
    virtual void visit(const CInputNode&) {}
    virtual void visit(const CMathNode&) {}
    virtual void visit(const CMenuNode&) {}
    virtual void visit(const CModifyNode&) {}
    virtual void visit(const COutputNode&) {}
    virtual void visit(const CVerifyNode&) {}
    virtual void visit(const CFileDecl&) {}
    virtual void visit(const CRegisterDecl&) {}
    virtual void visit(const CFieldDecl&) {}
    virtual void visit(const CTemplateDecl&) {}
};

} // namespace tarvo
