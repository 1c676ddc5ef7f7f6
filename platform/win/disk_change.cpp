#include "win/disk_change.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>
#include <unordered_set>

#include "win/host_path_text.h"
#include "win/machine.h"

namespace platform {

namespace {

// A modification this close to the read may share its timestamp with a later write: file
// systems with nanosecond times stamp with a clock that ticks in milliseconds; times in whole
// seconds may come from a file system that keeps no more (or two seconds).
constexpr int64_t kRacyFineNs = 50'000'000;
constexpr int64_t kRacyCoarseNs = 2'000'000'000;

int64_t Now_Ns()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

int64_t Ns_Of(const timespec& time) { return int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec; }

// The stamp's file fields as the path has them now; false when it does not exist.
bool Stat_Of(const std::filesystem::path& host_path, Disk_Stamp& stamp)
{
    struct stat info {};
    if (::stat(host_path.c_str(), &info) != 0)
        return false;
    stamp.inode = static_cast<uint64_t>(info.st_ino);
    stamp.size = static_cast<uint64_t>(info.st_size);
    stamp.modified_ns = Ns_Of(info.st_mtim);
    stamp.changed_ns = Ns_Of(info.st_ctim);
    return true;
}

bool Same_File_Fields(const Disk_Stamp& a, const Disk_Stamp& b)
{
    return a.inode == b.inode && a.size == b.size && a.modified_ns == b.modified_ns && a.changed_ns == b.changed_ns;
}

bool Read_All(const std::filesystem::path& host_path, std::string& bytes)
{
    std::ifstream in(host_path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool Is_Racy(const Disk_Stamp& stamp)
{
    const bool whole_seconds = stamp.modified_ns % 1'000'000'000 == 0 && stamp.changed_ns % 1'000'000'000 == 0;
    return std::max(stamp.modified_ns, stamp.changed_ns) >= stamp.taken_ns - (whole_seconds ? kRacyCoarseNs : kRacyFineNs);
}

struct Listing {
    Disk_Stamp stamp;
    std::shared_ptr<const std::vector<Folder_Entry>> entries;
};

std::shared_ptr<const std::vector<Folder_Entry>> List_Folder(const std::filesystem::path& host_folder)
{
    auto entries = std::make_shared<std::vector<Folder_Entry>>();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(host_folder, ec), end; !ec && it != end; it.increment(ec)) {
        Folder_Entry entry;
        entry.path = it->path();
        entry.name = Text_From_Host_Path(entry.path.filename());
        std::error_code type_ec;
        entry.is_folder = it->is_directory(type_ec);
        entry.is_file = it->is_regular_file(type_ec);
        entries->push_back(std::move(entry));
    }
    return entries;
}

// The inotify watches of the folders read; every event in them counts as a change.
class Change_Watch {
public:
    static Change_Watch& instance()
    {
        static Change_Watch watch;
        return watch;
    }

    uint64_t generation(const std::filesystem::path& folder, const std::filesystem::path& root)
    {
        const std::string& path = folder.native();
        const std::string& top = root.native();
        if (fd_ < 0 || top.empty() || path.compare(0, top.size(), top) != 0 ||
            (path.size() > top.size() && path[top.size()] != '/'))
            return 0;
        std::lock_guard<std::mutex> lock(mutex_);
        if (chains_.count(path) == 0) {
            // The folder and each parent up to the root, the longest first.
            for (size_t end = path.size(); end >= top.size();) {
                if (!add(path.substr(0, end)))
                    return 0;
                end = path.rfind('/', end - 1);
                if (end == std::string::npos || end == 0)
                    break;
            }
            chains_.insert(path);
        }
        drain();
        return generation_;
    }

    Watch_Mark mark(uint64_t unwatched_reads)
    {
        if (fd_ < 0)
            return {};
        std::lock_guard<std::mutex> lock(mutex_);
        drain();
        return {generation_, added_, unwatched_reads};
    }

private:
    Change_Watch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

    bool add(const std::string& folder)
    {
        if (watches_.count(folder) != 0)
            return true;
        const uint32_t mask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY | IN_ATTRIB |
                              IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
        const int wd = inotify_add_watch(fd_, folder.c_str(), mask);
        if (wd < 0)
            return false;
        watches_[folder] = wd;
        ++added_;
        return true;
    }

    // Counts what happened; a folder gone or moved is watched again by path when next read.
    void drain()
    {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t length = ::read(fd_, buffer, sizeof buffer);
            if (length <= 0)
                return;
            ++generation_;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF))
                    forget(event->wd);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    void forget(int wd)
    {
        inotify_rm_watch(fd_, wd);
        chains_.clear();
        for (auto it = watches_.begin(); it != watches_.end();)
            it = it->second == wd ? watches_.erase(it) : std::next(it);
    }

    int fd_;
    std::mutex mutex_;
    std::unordered_map<std::string, int> watches_;
    std::unordered_set<std::string> chains_;  // folders watched with all their parents
    uint64_t generation_ = 1;
    uint64_t added_ = 0;
};

// Reads of this thread that no watch covers.
thread_local uint64_t t_unwatched_reads = 0;

}  // namespace

uint64_t Watched_Generation(const std::filesystem::path& host_folder)
{
    // The root is read before any lock here is taken (the machine may read folders under its own).
    const uint64_t generation = Change_Watch::instance().generation(host_folder, Machine::instance().root());
    if (generation == 0)
        ++t_unwatched_reads;
    return generation;
}

Watch_Mark Current_Watch_Mark() { return Change_Watch::instance().mark(t_unwatched_reads); }

uint64_t Hash_Bytes(std::string_view bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

bool Read_Stamped_File(const std::filesystem::path& host_path, std::string& bytes, Disk_Stamp& stamp)
{
    stamp = Disk_Stamp();
    stamp.taken_ns = Now_Ns();
    if (!Stat_Of(host_path, stamp) || !Read_All(host_path, bytes))
        return false;
    stamp.present = true;
    stamp.content_hash = Hash_Bytes(bytes);
    return true;
}

bool Unchanged_On_Disk(const std::filesystem::path& host_path, Disk_Stamp& stamp)
{
    Disk_Stamp now;
    now.taken_ns = Now_Ns();
    if (!stamp.present || !Stat_Of(host_path, now) || !Same_File_Fields(now, stamp))
        return false;
    if (!Is_Racy(stamp))
        return true;
    std::string bytes;
    if (!Read_All(host_path, bytes) || Hash_Bytes(bytes) != stamp.content_hash)
        return false;
    stamp.taken_ns = now.taken_ns;
    return true;
}

std::shared_ptr<const std::vector<Folder_Entry>> Folder_Listing(const std::filesystem::path& host_folder)
{
    static std::mutex mutex;
    static std::unordered_map<std::filesystem::path::string_type, Listing> listings;
    const uint64_t generation = Watched_Generation(host_folder);
    std::lock_guard<std::mutex> lock(mutex);
    auto kept = listings.find(host_folder.native());
    if (kept != listings.end() && generation != 0 && kept->second.stamp.generation == generation)
        return kept->second.entries;
    Disk_Stamp now;
    now.taken_ns = Now_Ns();
    now.present = Stat_Of(host_folder, now);
    if (!now.present) {
        listings.erase(host_folder.native());
        return std::make_shared<const std::vector<Folder_Entry>>();
    }
    auto found = listings.find(host_folder.native());
    // A folder changed within the granularity of its time is listed again.
    if (found != listings.end() && Same_File_Fields(found->second.stamp, now) && !Is_Racy(found->second.stamp)) {
        found->second.stamp.generation = generation;
        return found->second.entries;
    }
    Listing& listing = listings[host_folder.native()];
    listing.stamp = now;
    listing.stamp.generation = generation;
    listing.entries = List_Folder(host_folder);
    return listing.entries;
}

}  // namespace platform
