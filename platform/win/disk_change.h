// Keeping what was read from a file or folder until it changes on disk. A file counts as
// unchanged while its inode, size, modification and status-change times are; a write within
// the file system's timestamp granularity of the read could keep them all, so while those
// times are that recent the bytes are compared too (a folder is listed again). Folders under
// the machine's root are watched besides, and so are a few folders outside it (a drawing's, an
// output folder): while nothing changed in them, what was kept is used without looking at the
// disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// What tells a later look at a file whether it changed since it was read.
struct Disk_Stamp {
    bool present = false;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modified_ns = 0;   // modification time, ns since 1970
    int64_t changed_ns = 0;    // status-change time (no program sets it back)
    int64_t taken_ns = 0;      // when it was read, on the same clock
    uint64_t content_hash = 0; // of the bytes read
    uint64_t generation = 0;   // Watched_Generation of its folder when last found unchanged
};

// Watches the folder and its parents up to the machine's root for changes, as a host watches
// its configuration folders (a folder outside the root: itself, while its path leads to it):
// the number of changes seen so far in watched folders, 0 when the folder cannot be watched.
// What is read after this call is as on disk while a later call gives the same number.
uint64_t Watched_Generation(const std::filesystem::path& host_folder);

// The changes of names (entries created, deleted, renamed) seen so far in watched folders,
// leaving out the program's own (Own_Entry_Change): what a folder's listing depends on. 0 when
// the folder cannot be watched.
uint64_t Watched_Names_Generation(const std::filesystem::path& host_folder);
// The number of the program's own changes of entries so far.
uint64_t Own_Entry_Changes();

// The program's own creation, removal or renaming of the entries at these host paths, made
// while this lives: kept listings of their folders follow it instead of being read again,
// and the events it causes do not count as changes of names.
class Own_Entry_Change {
public:
    explicit Own_Entry_Change(std::vector<std::filesystem::path> entries);
    ~Own_Entry_Change();
    Own_Entry_Change(const Own_Entry_Change&) = delete;
    Own_Entry_Change& operator=(const Own_Entry_Change&) = delete;

private:
    std::vector<std::filesystem::path> entries_;
};

// A point in the watched folders' history, to keep a result worked out from several reads:
// when the marks before and after the work are equal (no change, no watch added, no read of
// this thread outside watched folders), the result holds while the generation stays.
struct Watch_Mark {
    uint64_t generation = 0;  // 0: nothing can be kept
    uint64_t watches = 0;
    uint64_t unwatched_reads = 0;
    bool operator==(const Watch_Mark&) const = default;
};
Watch_Mark Current_Watch_Mark();

// FNV-1a of the bytes.
uint64_t Hash_Bytes(std::string_view bytes);

// Reads the whole file with its stamp; false when it cannot be read.
bool Read_Stamped_File(const std::filesystem::path& host_path, std::string& bytes, Disk_Stamp& stamp);
// True when the file is surely as it was when the stamp was taken; refreshes the stamp's
// time when only a byte comparison could tell and the bytes are the same.
bool Unchanged_On_Disk(const std::filesystem::path& host_path, Disk_Stamp& stamp);

// One entry of a folder.
struct Folder_Entry {
    std::filesystem::path path;
    std::wstring name;  // the file name as text
    bool is_folder = false;
    bool is_file = false;  // a regular file (links followed)
};
// The entries of the host folder in the order the file system gives them (empty when it is
// not a folder), listed again only when the folder changed; entries the program itself made
// since come last.
std::shared_ptr<const std::vector<Folder_Entry>> Folder_Listing(const std::filesystem::path& host_folder);
// The entry of the host folder named `name` without regard to case (the exact spelling first,
// else the first in listing order), from its listing; nullopt when it has none.
std::optional<std::filesystem::path> Find_Folder_Entry(const std::filesystem::path& host_folder, const std::wstring& name);

// The files parsed into T, each kept until the file changes on disk. Thread-safe.
template <class T>
class Parsed_File_Cache {
public:
    // Fills T from the bytes; false with an error text when they cannot be parsed.
    using Parser = std::function<bool(const std::string& bytes, T& parsed, std::wstring& error)>;
    explicit Parsed_File_Cache(Parser parser) : parser_(std::move(parser)) {}

    // The file's parse, from the last read while the file is unchanged; nullptr when the
    // file cannot be read (read_failed set) or parsed (error set).
    std::shared_ptr<const T> get(const std::filesystem::path& host_path, std::wstring& error, bool* read_failed = nullptr)
    {
        if (read_failed != nullptr)
            *read_failed = false;
        const uint64_t generation = Watched_Generation(host_path.parent_path());
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = entries_.find(host_path.native());
        if (found != entries_.end() &&
            ((generation != 0 && found->second.stamp.generation == generation) ||
             Unchanged_On_Disk(host_path, found->second.stamp))) {
            found->second.stamp.generation = generation;
            error = found->second.error;
            return found->second.parsed;
        }
        Entry entry;
        std::string bytes;
        const bool read = Read_Stamped_File(host_path, bytes, entry.stamp);
        entry.stamp.generation = generation;
        if (!read) {
            entries_.erase(host_path.native());
            if (read_failed != nullptr)
                *read_failed = true;
            return nullptr;
        }
        auto parsed = std::make_shared<T>();
        if (parser_(bytes, *parsed, entry.error))
            entry.parsed = std::move(parsed);
        error = entry.error;
        auto& stored = entries_[host_path.native()] = std::move(entry);
        return stored.parsed;
    }

private:
    struct Entry {
        Disk_Stamp stamp;
        std::shared_ptr<const T> parsed;  // null when the parse failed
        std::wstring error;
    };
    Parser parser_;
    std::mutex mutex_;
    std::unordered_map<std::filesystem::path::string_type, Entry> entries_;
};

}  // namespace platform
