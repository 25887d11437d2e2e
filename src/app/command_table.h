#pragma once

#include <QString>

#include <vector>

namespace somvix {

// One item of menu 129: popup caption, item text and command id. The popups stand in the order
// of their first item; each holds exactly its items, without separators.
struct MenuItem {
    QString popup;
    QString text;
    int commandId;
};

const std::vector<MenuItem>& MainMenuItems();

// Commands that have a toolbar button, in order; their tooltips come from the string table.
const std::vector<int>& ToolbarCommands();

}  // namespace somvix
