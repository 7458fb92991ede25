#include "platform/mapped_buffer.h"

#include <sys/mman.h>

#include <utility>

namespace veltamar {

MappedBuffer::MappedBuffer(std::size_t bytes) {
    if (bytes == 0) return;
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) return;
    bytes_ = static_cast<std::uint8_t*>(block);
    size_ = bytes;
}

MappedBuffer::~MappedBuffer() { release(); }

MappedBuffer::MappedBuffer(MappedBuffer&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedBuffer& MappedBuffer::operator=(MappedBuffer&& other) noexcept {
    if (this != &other) {
        release();
        bytes_ = std::exchange(other.bytes_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void MappedBuffer::release() {
    if (bytes_) munmap(bytes_, size_);
    bytes_ = nullptr;
    size_ = 0;
}

}  // namespace veltamar
