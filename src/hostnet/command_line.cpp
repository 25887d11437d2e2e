#include "hostnet/command_line.h"

namespace somvix {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> items;
    std::string item;
    bool inItem = false;
    bool quoted = false;
    std::size_t backslashes = 0;
    for (const char c : commandLine) {
        if (c == '\\') {
            ++backslashes;
            inItem = true;
            continue;
        }
        if (c == '"') {
            item.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1) {
                item.push_back('"');
            } else {
                quoted = !quoted;
            }
            backslashes = 0;
            inItem = true;
            continue;
        }
        item.append(backslashes, '\\');
        backslashes = 0;
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inItem) {
                items.push_back(std::move(item));
                item.clear();
                inItem = false;
            }
            continue;
        }
        item.push_back(c);
        inItem = true;
    }
    item.append(backslashes, '\\');
    if (inItem) {
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace somvix
