// Write streams that follow the machine (inside the win layer): a byte budget after
// which writes fail (a short write), the free space of a nearly full disk, and the
// machine's fixed clock as the file's modification time when it is closed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace platform {

// Wraps an open byte stream; the returned stream owns `raw` and closes it. With a
// budget, writes beyond `budget` bytes fail (ENOSPC); with a disk (Machine::disk_of),
// each write takes its bytes from that disk's free space and fails when there are too
// few; with `stamp`, the file's modification time becomes Machine::now() on close. The stream is unbuffered, so
// a failed write shows at once, and a stream that lost bytes fails to close too.
// Returns null (and leaves `raw` open) on failure.
FILE* Machine_Write_Stream(FILE* raw, const char* mode, std::optional<uint64_t> budget,
                           std::optional<std::filesystem::path> disk, bool stamp);

}  // namespace platform
