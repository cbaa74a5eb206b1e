// GeneratorStrings: the table itself.
#include "tarvo/common/generator_strings.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace tarvo {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Sorted by id.
constexpr Entry kStrings[] = {
    {113, "A frame reference to this node cannot be renamed."},
    {200, "File Error"},
    {201, "File Read Error"},
    {202, "Tarvo Warning"},
    {203, "Tarvo Error"},
    {301, "Error opening file"},
    {303, "Unrecognized node type found"},
    {304, "Unexpected type in destination"},
    {305, "Subroutines cannot contain frame nodes"},
    {306, "Subroutines cannot contain subroutine nodes"},
    {307, "No active frame"},
    {308, "Cannot start the Tarvo Compiler."},
    {309, "Duplicate node type and name. Enter a unique name for this node."},
    {312, "Deleting the selected node(s) could cause undesired results. Continue?"},
    {313, "Tarvo Graphics Library error.\nContact Qor technical support. Click Details for "
          "more information."},
    {314, "Too many display characters. Change your operation or create a new Output Node."},
    {315, "Error connecting nodes"},
    {316, "Invalid grid value. Enter any non-zero numeric value in both grid size fields and "
          "select OK."},
    {317, "Invalid function node size. Enter any non-zero numeric value in both size fields and "
          "select OK."},
    {318, "Invalid operation node size. Enter any non-zero numeric value in both size fields "
          "and select OK."},
    {319, "Error reading display characters. The source file has been corrupted. You will need "
          "to check all menu and display nodes to verify that the display contents are "
          "correct."},
    {320, "The file could not be saved. Download of the previously saved file will proceed."},
    {321, "The file must be saved before it can be downloaded. Save the file and select the "
          "download command again."},
    {322, "The template contains a field name that has not been defined. Your source file has "
          "been corrupted."},
    {323, "Row number must be between 0 and 24. Column number must be between 0 and 79. Enter "
          "appropriate values and select OK."},
    {324, "Count of characters to clear must be between 0 and 79."},
    {325, "Cannot copy multiple records to/from a single record."},
    {326, "Cannot copy a file to itself."},
    {327, "You specified an invalid name. Valid names\n   - cannot contain the following "
          "characters: \";*(),./\n   - must contain one or more non-space characters\n   - "
          "cannot contain non-Western characters"},
    {328, "This application is designed for the VK7100. To download the application to the "
          "VK81, first save the file."},
    {329, "The name you have selected contains more than 13 characters. PDT application names "
          "must be 13 or fewer characters in length. If you use this file name, only the first "
          "13 letters will be displayed on the PDT. Continue?"},
    {330, "Error saving display characters. You have exceeded the maximum of 255 unique "
          "characters in a single application. All of your characters have not been saved."},
    {331, "This field cannot contain non-Western characters."},
    {332, "Frames cannot link to multiple nodes of the same name regardless of node type."},
    {400, "File Write"},
    {401, "Do you want to overwrite the existing file?"},
    {402, "Do you want to save your changes?"},
    {403, "This application was created by a previous version of Tarvo. Saving the file to the "
          "same name will cause the application to be saved in a format not supported by other "
          "Tarvo versions. Press yes to overwrite the file. Press no to select a different file "
          "name."},
    {404, "Changing the prompt size from a smaller font to a larger font may cause some of the "
          "characters in your prompts to be lost. Continue?"},
    {444, "The specified file is read-only. Do you wish to save as another file?"},
};

} // namespace

std::string_view generatorString(int id) {
    const auto* it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                      [](const Entry& e, int wanted) { return e.id < wanted; });
    if (it == std::end(kStrings) || it->id != id) return {};
    return it->text;
}

bool hasGeneratorString(int id) { return !generatorString(id).empty(); }

} // namespace tarvo
