#pragma once

#include <cstddef>
#include <string>

namespace somvix {

// Adds one piece read from a child's output: its bytes up to the first zero byte among them, and
// never more than size bytes (a short read adds only what it delivered).
void AppendOutputPiece(std::string& output, const char* piece, std::size_t size);

}  // namespace somvix
