#include "files/input_file_buffer.h"

#include <algorithm>

namespace somvix {

InputFileBuffer::int_type InputFileBuffer::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    if (m_nBytesLeft == 0 || !m_file.IsOpen()) {
        return traits_type::eof();
    }
    const auto wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(m_buffer.size(), m_nBytesLeft));
    const long long count = m_file.Read(m_buffer.data(), wanted);
    if (count <= 0) {
        m_nBytesLeft = 0;  // an error ends the input for good, as the end of the file does
        return traits_type::eof();
    }
    m_nBytesLeft -= static_cast<std::uint64_t>(count);
    setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + count);
    return traits_type::to_int_type(*gptr());
}

}  // namespace somvix
