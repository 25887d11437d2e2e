#pragma once

#include <string>
#include <vector>

namespace somvix {

// Splits a command line into the program and its arguments as a Windows program's start-up code
// does, so that one command line means the same on every platform without a shell in between:
// blanks and tabs separate items, double quotes group blanks into one item and are removed;
// 2n backslashes before a quote give n backslashes (the quote groups), 2n+1 give n backslashes
// and a literal quote; backslashes elsewhere are literal.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace somvix
