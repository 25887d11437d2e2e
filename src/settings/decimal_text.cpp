#include "settings/decimal_text.h"

#include <sstream>
#include <string>

#include "shared/token_scanner.h"

namespace somvix {

int DecimalPrefixValue(std::string_view text) {
    std::stringbuf source{std::string(text)};
    TokenScanner scanner(source);
    int value = 0;
    if (scanner.ReadInt(value) != ScanResult::Converted) {
        return 0;
    }
    return value;
}

}  // namespace somvix
