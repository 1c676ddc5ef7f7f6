#include "win/text_mode_file.h"

#include <sys/types.h>

namespace platform {

namespace {

ssize_t Read_Text(void* cookie, char* buffer, size_t size) {
    FILE* raw = static_cast<FILE*>(cookie);
    size_t n = 0;
    while (n < size) {
        int c = std::fgetc(raw);
        if (c == EOF) break;
        if (c == '\r') {
            const int next = std::fgetc(raw);
            if (next == '\n') c = '\n';
            else if (next != EOF) std::ungetc(next, raw);
        }
        buffer[n++] = static_cast<char>(c);
    }
    if (n == 0 && std::ferror(raw)) return -1;
    return static_cast<ssize_t>(n);
}

ssize_t Write_Text(void* cookie, const char* buffer, size_t size) {
    FILE* raw = static_cast<FILE*>(cookie);
    for (size_t i = 0; i < size; ++i) {
        if (buffer[i] == '\n' && std::fputc('\r', raw) == EOF) return 0;
        if (std::fputc(buffer[i], raw) == EOF) return 0;
    }
    return static_cast<ssize_t>(size);
}

int Seek_Text(void* cookie, off64_t* position, int whence) {
    FILE* raw = static_cast<FILE*>(cookie);
    if (fseeko(raw, *position, whence) != 0) return -1;
    *position = ftello(raw);
    return 0;
}

int Close_Text(void* cookie) { return std::fclose(static_cast<FILE*>(cookie)); }

}  // namespace

FILE* Text_Mode_Stream(FILE* raw, const char* mode) {
    const cookie_io_functions_t functions{Read_Text, Write_Text, Seek_Text, Close_Text};
    return fopencookie(raw, mode, functions);
}

}  // namespace platform
