#pragma once

#include <string>

namespace somvix {

// The program's string table, looked up by id; a missing id gives the empty text.
std::string LoadResourceString(int id);

}  // namespace somvix
