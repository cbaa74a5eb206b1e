// CCopyNode: operands, references and the dialog's operand check.
#include "tarvo/model/copy_node.h"

namespace tarvo {

CCopyNode::CCopyNode(std::u16string name) : CNextErrorNode(NodeType::Copy, std::move(name)) {}

std::vector<DeclarationUse> CCopyNode::declarationUses() const {
    std::vector<DeclarationUse> uses;
    collectUses(source, uses);
    collectUses(destination, uses);
    return uses;
}

bool CCopyNode::renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                 NodeType type) {
    bool changed = CNodeBase::renameReferences(oldName, newName, type);
    changed |= renameUses(source, type, oldName, newName);
    changed |= renameUses(destination, type, oldName, newName);
    return changed;
}

int CCopyNode::checkOperands() const {
    // A whole file is a file operand without the record flag.
    const bool sourceWholeFile = source.kind == SourceKind::File && !source.file.isRecord;
    const bool destWholeFile =
        destination.kind == DestinationKind::File && !destination.file.isRecord;
    if (sourceWholeFile && !destWholeFile) return kMessageCopyMultipleToSingle;
    if (source.kind == SourceKind::File && destination.kind == DestinationKind::File &&
        !source.file.fileName.empty() && source.file.fileName == destination.file.fileName)
        return kMessageCopyFileToItself;
    return 0;
}

} // namespace tarvo
