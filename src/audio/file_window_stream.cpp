#include "audio/file_window_stream.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <optional>

namespace veltamar {

namespace {

struct Window {
    RegularFile file;
    std::int64_t from;
    std::int64_t position = 0;  // within the window
};

Window& windowOf(SDL_RWops* stream) {
    return *static_cast<Window*>(stream->hidden.unknown.data1);
}

std::int64_t windowLength(const Window& w) {
    return std::max<std::int64_t>(0, w.file.size() - w.from);
}

Sint64 SDLCALL size(SDL_RWops* stream) {
    return windowLength(windowOf(stream));
}

Sint64 SDLCALL seek(SDL_RWops* stream, Sint64 offset, int whence) {
    Window& w = windowOf(stream);
    const std::int64_t base = whence == RW_SEEK_CUR   ? w.position
                              : whence == RW_SEEK_END ? windowLength(w)
                                                      : 0;
    if (base + offset < 0) return SDL_SetError("seek before the start");
    w.position = base + offset;
    return w.position;
}

size_t SDLCALL read(SDL_RWops* stream, void* buffer, size_t itemSize, size_t items) {
    Window& w = windowOf(stream);
    if (itemSize == 0 || items == 0) return 0;
    auto* out = static_cast<char*>(buffer);
    std::size_t wanted = itemSize * items, got = 0;
    while (got < wanted) {
        const long n = w.file.readAt(w.from + w.position, out + got, wanted - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
        w.position += n;
    }
    return got / itemSize;
}

size_t SDLCALL write(SDL_RWops*, const void*, size_t, size_t) {
    return 0;
}

int SDLCALL close(SDL_RWops* stream) {
    delete &windowOf(stream);
    SDL_FreeRW(stream);
    return 0;
}

}  // namespace

SDL_RWops* fileWindowStream(RegularFile file, std::int64_t from) {
    SDL_RWops* stream = SDL_AllocRW();
    if (!stream) return nullptr;
    stream->type = SDL_RWOPS_UNKNOWN;
    stream->size = size;
    stream->seek = seek;
    stream->read = read;
    stream->write = write;
    stream->close = close;
    stream->hidden.unknown.data1 = new Window{std::move(file), std::max<std::int64_t>(0, from)};
    return stream;
}

}  // namespace veltamar
