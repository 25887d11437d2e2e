#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace somvix {

// The value of one node of a version record (see version_record.h).
struct VersionValue {
    std::span<const uint8_t> m_bytes;
    uint16_t m_nType = 0;  // VERSION_NODE_BINARY or VERSION_NODE_TEXT
};

// Looks a value up by its path of keys, as the system's version query does: "\\" is the root's
// value, "\\VarFileInfo\\Translation" and "\\StringFileInfo\\0C0A04B0\\FileVersion" name nodes
// below it. Keys are compared without regard to ASCII case. Every length is checked against
// the record and its parent node; a node that does not fit ends the search of its siblings.
// Returns false when the path does not lead to a node.
bool QueryVersionValue(std::span<const uint8_t> record, std::string_view path, VersionValue& value);

// A text value as UTF-8, up to its terminating zero.
std::string VersionValueText(const VersionValue& value);

// Whether the bytes hold a whole record at their start: a root node keyed "VS_VERSION_INFO"
// whose length fits in them. Returns the record's length, or 0.
size_t VersionRecordLength(std::span<const uint8_t> bytes);

}  // namespace somvix
