#pragma once

#include <cstddef>
#include <cstdint>

// A large block of memory taken straight from the system and given straight back when the buffer
// goes. The built-in music is tens of megabytes once converted for the sound device and is loaded
// again each time the user's own music is switched off; through the C library's allocator such a
// block, once freed, stays with the process (and teaches the allocator to keep the next ones too),
// so the resident size would step up for good.

namespace veltamar {

class MappedBuffer {
  public:
    MappedBuffer() = default;
    // Zero-filled; empty (data() null) when the system refuses.
    explicit MappedBuffer(std::size_t bytes);
    ~MappedBuffer();
    MappedBuffer(MappedBuffer&& other) noexcept;
    MappedBuffer& operator=(MappedBuffer&& other) noexcept;
    MappedBuffer(const MappedBuffer&) = delete;
    MappedBuffer& operator=(const MappedBuffer&) = delete;

    std::uint8_t* data() const { return bytes_; }
    std::size_t size() const { return size_; }

  private:
    void release();

    std::uint8_t* bytes_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace veltamar
