// CInputNode: waits for data from the enabled input channels and branches by channel.
#pragma once

#include <array>

#include "tarvo/model/app_settings.h"
#include "tarvo/model/node_base.h"

namespace tarvo {

/// The input channels, in the order of the script's channel list.
enum class InputChannel : std::uint8_t { Scanner = 0, DataKeys, FunctionKeys, Serial, Timeout };
inline constexpr std::size_t kInputChannelCount = 5;

/// Shown when the clear count is outside 0 to kMaxClearCount.
inline constexpr int kMessageClearCountRange = 324;
inline constexpr int kMaxClearCount = 79;
/// Echo row and column written for "current cursor location".
inline constexpr int kCurrentCursorPosition = 255;
/// Clear count written for "clear to end of line".
inline constexpr int kClearToEndOfLine = 80;

class CInputNode : public CNodeBase {
public:
    explicit CInputNode(std::u16string name = u"Input1");
    TARVO_VISITABLE

    struct Channel {
        bool on = false;
        NodeLink link;
    };
    std::array<Channel, kInputChannelCount> channels;
    int timeoutSeconds = 0;
    NodeLink error; // "On Error"
    /// Held for completeness; never filled from the canvas nor written.
    NodeLink next;

    bool sizeToRegister = false;
    /// The input size register; written with OVERWRITE.
    DestinationOperand sizeRegister;

    bool echoToDisplay = false;
    bool echoAtCursor = false; // "Current Cursor Location"
    int echoRow = 0;
    int echoColumn = 0;

    bool clearDisplay = false;
    bool clearToEndOfLine = false;
    int clearCount = 0;

    DestinationOperand destination; // "Store Info"

    Channel& channel(InputChannel c) { return channels[static_cast<std::size_t>(c)]; }
    const Channel& channel(InputChannel c) const {
        return channels[static_cast<std::size_t>(c)];
    }

    /// What the dialog's OK finds wrong with the echo and clearing settings.
    enum class SettingsCheck {
        Ok,
        EchoOutsideScreen,  // "Row number must be between 0 and %d. ..." (rows-1, columns-1)
        ClearCountOutOfRange // message 324
    };
    /// A specified echo position must lie on `screen`; a clear count must be
    /// 0 to kMaxClearCount.
    SettingsCheck checkSettings(const ScreenGeometry& screen) const;

    /// Points every channel link and the error link that is empty or names
    /// the node's old name at the node itself.
    void refreshKeyTable(std::u16string_view oldName = {});

    DestinationOperand* destinationOperand() override { return &destination; }
    std::vector<NodeLink*> links() override;
    std::vector<DeclarationUse> declarationUses() const override;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
    bool requiredLinksSet() const override;
    NodeLink* linkForNewLink() override;
};

} // namespace tarvo
