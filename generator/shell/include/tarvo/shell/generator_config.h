// GeneratorConfig: the process-wide settings of the generator (new-application
// defaults, canvas, node appearance, panes, window placement, recent files).
#pragma once

#include <array>
#include <string>

#include "tarvo/shell/node_appearance.h"
#include "tarvo/shell/recent_file_list.h"

namespace tarvo::shell {

/// The terminal models a new application may be built for (index 0 only).
inline constexpr int kModelCount = 1;
/// Sizes read from the file must lie in 1..kMaxConfigSize; anything else (a
/// zero grid would divide by zero when snapping) keeps the default.
inline constexpr long kMaxConfigSize = 32767;

/// The main window's placement: minimized and maximized positions and the
/// normal rectangle.
struct WindowPlacement {
    int minX = 1, minY = 1;
    int maxX = 1, maxY = 1;
    int left = 88, top = 88, right = 950, bottom = 700;

    bool operator==(const WindowPlacement&) const = default;
};

struct GeneratorConfig {
    // Defaults for new applications.
    int defaultModel = 0;
    std::string defaultLanguage = "Wst8";       // prompts: "Wst12", "Wst8", "Chs", "Cht"
    std::string defaultSysFontSize = "Wst8";    // other text: "Wst12" or "Wst8"
    std::string fontName = "Microsoft Sans Serif";
    int fontSize = 9;
    int nodeSizeX = 80, nodeSizeY = 38;
    int frameSizeX = 100, frameSizeY = 25;

    // Panes shown at start.
    bool showToolbar = true;
    bool showNodesToolbar = true;
    bool showTree = true;
    bool showStatus = true;

    // Canvas.
    bool showGrid = true;
    bool snapToGrid = true;
    int gridSizeX = 10, gridSizeY = 10;
    int borderSize = 2;

    WindowPlacement placement;
    std::array<NodeAppearance, kAppearanceTypeCount> appearances = defaultNodeAppearances();
    RecentFileList recentFiles;
};

/// True for the prompt language codes "Wst12", "Wst8", "Chs", "Cht".
bool isPromptLanguageCode(const std::string& code);
/// True for the other-text codes "Wst12" and "Wst8".
bool isSystemFontCode(const std::string& code);

}  // namespace tarvo::shell
