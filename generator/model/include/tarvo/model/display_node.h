// CDisplayNode: shows a screen of text and continues with its next node.
#pragma once

#include "tarvo/model/display_text.h"
#include "tarvo/model/node_base.h"

namespace tarvo {

class CDisplayNode : public CNodeBase {
public:
    explicit CDisplayNode(std::u16string name = u"Display1", std::uint8_t model = 0);
    TARVO_VISITABLE

    DisplayText text;
    NodeLink next;

    std::vector<NodeLink*> links() override { return {&next}; }
    bool requiredLinksSet() const override { return !next.isEmpty(); }
    NodeLink* linkForNewLink() override { return firstEmpty({&next}); }
};

} // namespace tarvo
