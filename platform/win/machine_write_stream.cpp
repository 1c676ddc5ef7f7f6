#include "win/machine_write_stream.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <chrono>

#include "win/machine.h"

namespace platform {

namespace {

struct Write_State {
    FILE* raw;
    std::optional<uint64_t> budget;
    std::optional<std::filesystem::path> disk;
    bool stamp;
    bool failed = false;
};

ssize_t Read_Raw(void* cookie, char* buffer, size_t size) {
    FILE* raw = static_cast<Write_State*>(cookie)->raw;
    const size_t n = std::fread(buffer, 1, size, raw);
    if (n == 0 && std::ferror(raw)) return -1;
    return static_cast<ssize_t>(n);
}

ssize_t Write_Limited(void* cookie, const char* buffer, size_t size) {
    auto* state = static_cast<Write_State*>(cookie);
    size_t allowed = size;
    if (state->budget) allowed = static_cast<size_t>(std::min<uint64_t>(size, *state->budget));
    if (state->disk) allowed = static_cast<size_t>(Machine::instance().take_disk_space(*state->disk, allowed));
    const size_t written = allowed ? std::fwrite(buffer, 1, allowed, state->raw) : 0;
    if (state->budget) *state->budget -= written;
    // The stream gives up at a short count, so the reason is set with it (a failure of the
    // file itself keeps its own).
    if (written < size) {
        state->failed = true;
        if (written == allowed) errno = ENOSPC;
    }
    return static_cast<ssize_t>(written);
}

int Seek_Raw(void* cookie, off64_t* position, int whence) {
    FILE* raw = static_cast<Write_State*>(cookie)->raw;
    if (fseeko(raw, *position, whence) != 0) return -1;
    *position = ftello(raw);
    return 0;
}

int Close_Stamped(void* cookie) {
    auto* state = static_cast<Write_State*>(cookie);
    int result = std::fflush(state->raw);
    if (state->stamp && result == 0) {
        using namespace std::chrono;
        const auto since_epoch = duration_cast<nanoseconds>(Machine::instance().now().time_since_epoch()).count();
        const timespec when{static_cast<time_t>(since_epoch / 1000000000), static_cast<long>(since_epoch % 1000000000)};
        const timespec times[2] = {when, when};
        futimens(fileno(state->raw), times);
    }
    if (std::fclose(state->raw) != 0 || state->failed) result = EOF;
    delete state;
    return result == 0 ? 0 : -1;
}

}  // namespace

FILE* Machine_Write_Stream(FILE* raw, const char* mode, std::optional<uint64_t> budget,
                           std::optional<std::filesystem::path> disk, bool stamp) {
    auto* state = new Write_State{raw, budget, std::move(disk), stamp};
    const cookie_io_functions_t functions{Read_Raw, Write_Limited, Seek_Raw, Close_Stamped};
    FILE* stream = fopencookie(state, mode, functions);
    if (!stream) {
        delete state;
        return nullptr;
    }
    std::setvbuf(stream, nullptr, _IONBF, 0);
    return stream;
}

}  // namespace platform
