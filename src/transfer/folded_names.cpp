#include "transfer/folded_names.h"

namespace somvix {

namespace {

// The small letter of a capital in code page 1252, the character set of every name from the
// monitor. The folding disks compare names by the Unicode letters these bytes stand for, so
// "Núñez" and "NÚÑEZ" are one folder there; folding only ASCII would let them share one
// unnoticed. Folding a pair a disk keeps apart only refuses a name more, never loses one.
unsigned char SmallLetter(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<unsigned char>(byte + 0x20);  // A..Z, and À..Þ but for the sign ×
    }
    switch (byte) {
        case 0x8A:  // Š
        case 0x8C:  // Œ
        case 0x8E:  // Ž
            return static_cast<unsigned char>(byte + 0x10);
        case 0x9F:  // Ÿ
            return 0xFF;
        default:
            return byte;
    }
}

}  // namespace

std::string FoldName(const std::string& name) {
    // Windows drops trailing dots and blanks from the last component of a path.
    const std::size_t end = name.find_last_not_of(". ");
    std::string folded = name.substr(0, end == std::string::npos ? 0 : end + 1);
    for (char& character : folded) {
        character = static_cast<char>(SmallLetter(static_cast<unsigned char>(character)));
    }
    return folded;
}

FoldedNames::FoldedNames(const std::set<std::string>& names) {
    for (const std::string& name : names) {
        Meet(name);
    }
}

NameMatch FoldedNames::Find(const std::string& name) const {
    if (m_exact.count(name) != 0) {
        return NameMatch::Same;
    }
    return m_folded.count(FoldName(name)) != 0 ? NameMatch::Clashing : NameMatch::New;
}

NameMatch FoldedNames::Meet(const std::string& name) {
    const NameMatch match = Find(name);
    m_exact.insert(name);
    m_folded.insert(FoldName(name));
    return match;
}

}  // namespace somvix
