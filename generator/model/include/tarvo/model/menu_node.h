// CMenuNode: shows a screen of text and branches on the function keys F1 to F8.
#pragma once

#include <array>

#include "tarvo/model/display_text.h"
#include "tarvo/model/node_base.h"

namespace tarvo {

inline constexpr std::size_t kMenuKeyCount = 8;

class CMenuNode : public CNodeBase {
public:
    explicit CMenuNode(std::u16string name = u"Menu1", std::uint8_t model = 0);
    TARVO_VISITABLE

    struct Key {
        NodeLink link;
        bool enabled = false;
    };

    DisplayText text;
    std::array<Key, kMenuKeyCount> keys; // F1 to F8
    /// Held for completeness; never filled from the canvas nor written.
    NodeLink next;

    /// Points every key that is empty or names the menu's old name at the
    /// menu itself (after creation and after a rename with a unique name).
    void refreshKeyTable(std::u16string_view oldName = {});
    /// Sets each key's enabled flag: on exactly when its link names something
    /// other than the menu itself.
    void updateEnabledFlags();

    std::vector<NodeLink*> links() override;
    bool requiredLinksSet() const override;
    NodeLink* linkForNewLink() override;
};

} // namespace tarvo
