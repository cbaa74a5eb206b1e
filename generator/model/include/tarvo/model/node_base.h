// CNodeBase: the fields and operations every node, container and declaration shares.
#pragma once

#include <string>
#include <vector>

#include "tarvo/model/node_link.h"
#include "tarvo/model/node_type.h"
#include "tarvo/model/node_visitor.h"
#include "tarvo/model/operands.h"

namespace tarvo {

class CContainerNode;

class CNodeBase {
public:
    /// `name` is a built-in default name; one over the type's limit leaves
    /// the name empty (text from outside goes through setName).
    CNodeBase(NodeType type, std::u16string name);
    virtual ~CNodeBase() = default;
    CNodeBase(const CNodeBase&) = delete;
    CNodeBase& operator=(const CNodeBase&) = delete;

    NodeType type() const { return type_; }

    const std::u16string& name() const { return name_; }
    /// Stores `name` when it fits the type's limit (32, or 22 for
    /// declarations); a longer name is refused and the old one kept. The
    /// naming rules are the caller's check (isValidName), since a loaded
    /// script may carry names the dialogs would refuse.
    bool setName(std::u16string_view name);

    /// Free text, line breaks stored as CR LF.
    const std::u16string& description() const { return description_; }
    /// Refuses (and keeps the old text) a description over 256 characters.
    bool setDescription(std::u16string_view text);

    /// Centre of the node's figure; (0, 0) for declarations.
    PointD position;

    /// The container the node belongs to; none while not inserted, and none
    /// for frames (they have a parent frame instead), subroutines, Entry,
    /// Return and declarations. Never owns.
    CContainerNode* owner() const { return owner_; }
    void setOwner(CContainerNode* owner) { owner_ = owner; }

    /// The operand the node reads, or none for types without one.
    virtual SourceOperand* sourceOperand() { return nullptr; }
    const SourceOperand* sourceOperand() const {
        return const_cast<CNodeBase*>(this)->sourceOperand();
    }
    /// The operand the node writes, or none for types without one.
    virtual DestinationOperand* destinationOperand() { return nullptr; }
    const DestinationOperand* destinationOperand() const {
        return const_cast<CNodeBase*>(this)->destinationOperand();
    }

    /// Every outgoing link of the node, in a fixed order per type.
    virtual std::vector<NodeLink*> links() { return {}; }
    std::vector<const NodeLink*> links() const;

    /// The declarations the node's operands name (for the reference registry).
    virtual std::vector<DeclarationUse> declarationUses() const { return {}; }

    /// Forgets a node being deleted: empties every link naming (type, name).
    virtual void forgetReferences(NodeType type, std::u16string_view name);
    /// Renames references to the object (type, oldName): links to a node of
    /// that type, or operand uses of a declaration of that type. Answers
    /// whether anything changed.
    virtual bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                  NodeType type);
    /// Whether the links the build check requires are set.
    virtual bool requiredLinksSet() const { return true; }
    /// The link that a new link drawn from this node fills, or none.
    virtual NodeLink* linkForNewLink() { return nullptr; }

    virtual void accept(NodeVisitor& visitor) = 0;
    virtual void accept(ConstNodeVisitor& visitor) const = 0;

protected:
    /// The first link of `candidates` whose target name is empty.
    static NodeLink* firstEmpty(std::initializer_list<NodeLink*> candidates);
    /// The first link of `candidates` that is empty or names this node itself
    /// (Input channels and Menu keys point at their own node when unused).
    NodeLink* firstFreeOrSelf(std::initializer_list<NodeLink*> candidates);

private:
    NodeType type_;
    std::u16string name_;
    std::u16string description_;
    CContainerNode* owner_ = nullptr;
};

/// Stamps the visitor plumbing into a concrete class.
#define TARVO_VISITABLE                                                               \
    void accept(NodeVisitor& visitor) override { visitor.visit(*this); }             \
    void accept(ConstNodeVisitor& visitor) const override { visitor.visit(*this); }

} // namespace tarvo
