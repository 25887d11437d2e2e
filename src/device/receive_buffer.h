#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace somvix {

// Most bytes taken from the socket at once: what a receive finds there, up to this.
inline constexpr std::size_t RECEIVE_BUFFER_BYTES = 64 * 1024;

// Bytes received from the socket and not taken yet, in order. The storage is made at the first
// receive; a buffer moved from holds nothing.
class ReceiveBuffer {
public:
    ReceiveBuffer() = default;
    ReceiveBuffer(ReceiveBuffer&& other) noexcept;
    ReceiveBuffer& operator=(ReceiveBuffer&& other) noexcept;
    ReceiveBuffer(const ReceiveBuffer&) = delete;
    ReceiveBuffer& operator=(const ReceiveBuffer&) = delete;

    std::string_view Held() const { return {m_bytes.data() + m_nStart, m_nEnd - m_nStart}; }
    // Takes count bytes (at most those held) off the front.
    void Take(std::size_t count);
    // Copies up to count held bytes to destination and takes them; how many.
    std::size_t TakeInto(char* destination, std::size_t count);
    // The room after the held bytes for the next receive; the held bytes are moved to the front
    // first, so the room is RECEIVE_BUFFER_BYTES less what is held.
    char* FreeSpace(std::size_t& size);
    // count bytes were received into the free space.
    void Add(std::size_t count) { m_nEnd += count; }
    void Clear() { m_nStart = m_nEnd = 0; }

private:
    std::vector<char> m_bytes;
    std::size_t m_nStart = 0;  // the held bytes are m_bytes[m_nStart, m_nEnd)
    std::size_t m_nEnd = 0;
};

}  // namespace somvix
