// ReferenceRegistry: which nodes name which declarations, and every declaration by type and name.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tarvo/model/operands.h"

namespace tarvo {

class CNodeBase;

class ReferenceRegistry {
public:
    /// Records the declarations the node's operands name now; a node entered
    /// again replaces its earlier entry. Declarations and containers enter
    /// nothing.
    void enterNode(const CNodeBase& node);
    void forgetNode(const CNodeBase& node);

    void enterDeclaration(NodeType type, std::u16string_view name);
    void forgetDeclaration(NodeType type, std::u16string_view name);
    bool hasDeclaration(NodeType type, std::u16string_view name) const;

    /// The nodes whose operands name declaration (type, name), in no
    /// particular order. Never owns.
    std::vector<CNodeBase*> usersOf(NodeType type, std::u16string_view name) const;
    bool isUsed(NodeType type, std::u16string_view name) const;

    void clear();

private:
    std::map<const CNodeBase*, std::vector<DeclarationUse>> usesByNode_;
    std::map<DeclarationUse, std::set<CNodeBase*>> usersByDeclaration_;
    std::set<DeclarationUse> declarations_;
};

} // namespace tarvo
