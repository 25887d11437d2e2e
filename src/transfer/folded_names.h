#pragma once

#include <set>
#include <string>

namespace somvix {

// The name as a disk that ignores letter case and trailing dots and blanks sees it (Windows,
// and FAT, exFAT or NTFS disks on Linux): two names with one folded form are one entry there.
std::string FoldName(const std::string& name);

// How a name stands to the names met before.
enum class NameMatch {
    New,       // no name met before folds like it
    Same,      // met before exactly as it is
    Clashing,  // another name met before folds like it
};

// Names met so far (the monitorings of a run, the files of a monitoring), compared exactly and
// by their folded form.
class FoldedNames {
public:
    FoldedNames() = default;
    explicit FoldedNames(const std::set<std::string>& names);

    NameMatch Find(const std::string& name) const;
    // As Find; the name counts as met from now on.
    NameMatch Meet(const std::string& name);

private:
    std::set<std::string> m_exact;
    std::set<std::string> m_folded;
};

}  // namespace somvix
