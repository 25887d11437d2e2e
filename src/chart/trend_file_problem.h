#pragma once

#include <string>

namespace somvix {

// Why an opened recording draws no curve at all.
enum class TrendFileProblem {
    None,        // at least one sample pair was read
    Missing,     // no file of that name
    Folder,      // the name is a folder's
    Unreadable,  // there, but not a regular file that could be opened
    NoSamples,   // read, but holds no complete sample pair
};

// The problem of the .htr file at pathName after the reader returned readResult (0 when it
// opened the file) and left nSamples pairs.
TrendFileProblem DiagnoseTrendFile(const std::string& pathName, int readResult, int nSamples);

// The message that tells the user, naming the file; empty for None.
std::string TrendFileProblemText(TrendFileProblem problem, const std::string& pathName);

}  // namespace somvix
