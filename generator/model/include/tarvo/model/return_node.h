// CReturnNode: the node embedded in every subroutine that ends it.
#pragma once

#include "tarvo/model/node_base.h"

namespace tarvo {

class CReturnNode : public CNodeBase {
public:
    CReturnNode();
    TARVO_VISITABLE
};

} // namespace tarvo
