#include "about/version_block.h"

#include <algorithm>
#include <optional>

#include "about/version_record.h"
#include "shared/code_page_text.h"

namespace somvix {

namespace {

constexpr size_t NODE_HEADER_SIZE = 6;

uint16_t ReadWord(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

constexpr size_t AlignUp(size_t offset) {
    return (offset + 3) & ~static_cast<size_t>(3);
}

// One node, by offsets into the record.
struct VersionNode {
    size_t m_nEnd = 0;  // first byte after the node
    std::u16string m_strKey;
    uint16_t m_nType = 0;
    size_t m_nValueStart = 0;
    size_t m_nValueEnd = 0;
    size_t m_nChildrenStart = 0;
};

// The node at offset, which must lie wholly before limit.
std::optional<VersionNode> ParseNode(std::span<const uint8_t> record, size_t offset, size_t limit) {
    if (limit > record.size() || offset + NODE_HEADER_SIZE > limit) {
        return std::nullopt;
    }
    VersionNode node;
    const size_t length = ReadWord(record, offset);
    if (length < NODE_HEADER_SIZE || length > limit - offset) {
        return std::nullopt;
    }
    node.m_nEnd = offset + length;
    const size_t valueLength = ReadWord(record, offset + 2);
    node.m_nType = ReadWord(record, offset + 4);

    size_t cursor = offset + NODE_HEADER_SIZE;
    for (;;) {
        if (cursor + 2 > node.m_nEnd) {
            return std::nullopt;  // the key has no terminating zero inside the node
        }
        const uint16_t unit = ReadWord(record, cursor);
        cursor += 2;
        if (unit == 0) {
            break;
        }
        node.m_strKey += static_cast<char16_t>(unit);
    }
    node.m_nValueStart = std::min(AlignUp(cursor), node.m_nEnd);
    const size_t valueBytes = node.m_nType == VERSION_NODE_TEXT ? valueLength * 2 : valueLength;
    if (node.m_nValueStart + valueBytes > node.m_nEnd) {
        if (node.m_nType != VERSION_NODE_TEXT) {
            return std::nullopt;
        }
        // Text whose stated length runs past its node is taken up to the node's end.
        node.m_nValueEnd = node.m_nEnd;
    } else {
        node.m_nValueEnd = node.m_nValueStart + valueBytes;
    }
    node.m_nChildrenStart = std::min(AlignUp(node.m_nValueEnd), node.m_nEnd);
    return node;
}

bool KeyEquals(const std::u16string& key, std::string_view wanted) {
    if (key.size() != wanted.size()) {
        return false;
    }
    const auto lower = [](char32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (size_t i = 0; i < key.size(); ++i) {
        if (lower(key[i]) != lower(static_cast<unsigned char>(wanted[i]))) {
            return false;
        }
    }
    return true;
}

std::optional<VersionNode> FindChild(std::span<const uint8_t> record, const VersionNode& parent,
                                     std::string_view key) {
    for (size_t offset = parent.m_nChildrenStart; offset < parent.m_nEnd;) {
        const std::optional<VersionNode> child = ParseNode(record, offset, parent.m_nEnd);
        if (!child) {
            return std::nullopt;
        }
        if (KeyEquals(child->m_strKey, key)) {
            return child;
        }
        offset = AlignUp(child->m_nEnd);
    }
    return std::nullopt;
}

}  // namespace

bool QueryVersionValue(std::span<const uint8_t> record, std::string_view path,
                       VersionValue& value) {
    std::optional<VersionNode> node = ParseNode(record, 0, record.size());
    while (node && !path.empty()) {
        const size_t separator = path.find('\\');
        const std::string_view key = path.substr(0, separator);
        path =
            separator == std::string_view::npos ? std::string_view{} : path.substr(separator + 1);
        if (!key.empty()) {
            node = FindChild(record, *node, key);
        }
    }
    if (!node) {
        return false;
    }
    value.m_bytes = record.subspan(node->m_nValueStart, node->m_nValueEnd - node->m_nValueStart);
    value.m_nType = node->m_nType;
    return true;
}

std::string VersionValueText(const VersionValue& value) {
    std::string text;
    const std::span<const uint8_t> bytes = value.m_bytes;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t code = ReadWord(bytes, i);
        if (code == 0) {
            break;
        }
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = ReadWord(bytes, i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;  // a lone half of a surrogate pair
        }
        AppendUtf8(text, code);
    }
    return text;
}

size_t VersionRecordLength(std::span<const uint8_t> bytes) {
    const std::optional<VersionNode> root = ParseNode(bytes, 0, bytes.size());
    return root && KeyEquals(root->m_strKey, VERSION_ROOT_KEY) ? root->m_nEnd : 0;
}

}  // namespace somvix
