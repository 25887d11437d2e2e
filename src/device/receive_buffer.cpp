#include "device/receive_buffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace somvix {

ReceiveBuffer::ReceiveBuffer(ReceiveBuffer&& other) noexcept {
    *this = std::move(other);
}

ReceiveBuffer& ReceiveBuffer::operator=(ReceiveBuffer&& other) noexcept {
    if (this != &other) {
        m_bytes = std::exchange(other.m_bytes, {});
        m_nStart = std::exchange(other.m_nStart, 0);
        m_nEnd = std::exchange(other.m_nEnd, 0);
    }
    return *this;
}

void ReceiveBuffer::Take(std::size_t count) {
    m_nStart += std::min(count, m_nEnd - m_nStart);
    if (m_nStart == m_nEnd) {
        Clear();
    }
}

std::size_t ReceiveBuffer::TakeInto(char* destination, std::size_t count) {
    const std::size_t size = std::min(count, m_nEnd - m_nStart);
    if (size > 0) {
        std::memcpy(destination, m_bytes.data() + m_nStart, size);
        Take(size);
    }
    return size;
}

char* ReceiveBuffer::FreeSpace(std::size_t& size) {
    if (m_bytes.empty()) {
        m_bytes.resize(RECEIVE_BUFFER_BYTES);
    }
    if (m_nStart > 0) {
        std::memmove(m_bytes.data(), m_bytes.data() + m_nStart, m_nEnd - m_nStart);
        m_nEnd -= m_nStart;
        m_nStart = 0;
    }
    size = m_bytes.size() - m_nEnd;
    return m_bytes.data() + m_nEnd;
}

}  // namespace somvix
