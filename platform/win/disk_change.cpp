#include "win/disk_change.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <fstream>
#include <iterator>
#include <set>
#include <unordered_set>

#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_files.h"

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
    // Folded name -> the entries' names (text, host file name) in listing order.
    std::unordered_map<std::wstring, std::vector<std::pair<std::wstring, std::string>>> by_folded;

    void index(const Folder_Entry& entry)
    {
        by_folded[Fold_Case(entry.name)].emplace_back(entry.name, entry.path.filename().native());
    }
    void unindex(const std::wstring& name)
    {
        auto found = by_folded.find(Fold_Case(name));
        if (found == by_folded.end())
            return;
        auto& names = found->second;
        names.erase(std::remove_if(names.begin(), names.end(), [&](const auto& n) { return n.first == name; }),
                    names.end());
        if (names.empty())
            by_folded.erase(found);
    }
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

    // The count of every change, or of changes of names only.
    uint64_t generation(const std::filesystem::path& folder, const std::filesystem::path& root, bool names = false)
    {
        const std::string& path = folder.native();
        const std::string& top = root.native();
        if (fd_ < 0)
            return 0;
        if (top.empty() || path.compare(0, top.size(), top) != 0 || (path.size() > top.size() && path[top.size()] != '/'))
            return loose(path, names);
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
        return names ? names_generation_ : generation_;
    }

    // A folder outside the root, watched by itself: what its path leads to is checked at every
    // look (its parents are not watched), and a path that leads elsewhere counts as a change.
    uint64_t loose(const std::string& path, bool names)
    {
        struct stat info {};
        if (path.empty() || path[0] != '/' || ::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return 0;
        std::lock_guard<std::mutex> lock(mutex_);
        drain();
        auto found = loose_.find(path);
        if (found != loose_.end() &&
            (found->second.first != info.st_dev || found->second.second != info.st_ino || watches_.count(path) == 0)) {
            if (auto watch = watches_.find(path); watch != watches_.end()) {
                inotify_rm_watch(fd_, watch->second);
                watches_.erase(watch);
            }
            loose_.erase(found);
            found = loose_.end();
            ++generation_;
            ++names_generation_;
        }
        if (found == loose_.end()) {
            if (loose_.size() >= kMostLooseWatches || !add(path))
                return 0;
            loose_[path] = {info.st_dev, info.st_ino};
        }
        return names ? names_generation_ : generation_;
    }

    // Events of the entry in its folder's watch are the program's own while expected.
    void expect(const std::filesystem::path& entry, bool expected)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto watch = watches_.find(entry.parent_path().native());
        if (watch == watches_.end())
            return;
        const std::pair<int, std::string> key{watch->second, entry.filename().native()};
        if (expected) {
            own_.insert(key);
        } else {
            drain();
            if (auto it = own_.find(key); it != own_.end())
                own_.erase(it);
        }
    }

    uint64_t names_generation()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        drain();
        return names_generation_;
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
        constexpr uint32_t names = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                   IN_MOVE_SELF | IN_IGNORED | IN_Q_OVERFLOW;
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t length = ::read(fd_, buffer, sizeof buffer);
            if (length <= 0)
                return;
            ++generation_;
            bool names_changed = false;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if ((event->mask & names) && !own(*event))
                    names_changed = true;
                if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF))
                    forget(event->wd);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
            if (names_changed)
                ++names_generation_;
        }
    }

    bool own(const inotify_event& event) const
    {
        return event.len > 0 && !own_.empty() && own_.count({event.wd, std::string(event.name)}) != 0;
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
    static constexpr size_t kMostLooseWatches = 256;
    std::unordered_map<std::string, std::pair<dev_t, ino_t>> loose_;  // folders outside the root
    std::multiset<std::pair<int, std::string>> own_;  // (watch, name) of own changes being made
    uint64_t generation_ = 1;
    uint64_t names_generation_ = 1;
    uint64_t added_ = 0;
};

std::atomic<uint64_t> g_Own_Entry_Changes{0};

std::mutex& Listings_Mutex()
{
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<std::filesystem::path::string_type, Listing>& Listings()
{
    static std::unordered_map<std::filesystem::path::string_type, Listing> listings;
    return listings;
}

// The kept listing of the entry's folder, current at the names generation, made to show the
// entry as it is now.
void Follow_Own_Change(const std::filesystem::path& entry, uint64_t names_generation)
{
    auto kept = Listings().find(entry.parent_path().native());
    if (kept == Listings().end() || names_generation == 0 || kept->second.stamp.generation != names_generation)
        return;
    Listing& listing = kept->second;
    // Copied when someone still holds the listing as it was.
    if (listing.entries.use_count() > 1)
        listing.entries = std::make_shared<std::vector<Folder_Entry>>(*listing.entries);
    auto& entries = const_cast<std::vector<Folder_Entry>&>(*listing.entries);
    const std::filesystem::path name = entry.filename();
    const std::wstring text = Text_From_Host_Path(name);
    // Looked for from the end, where the program's own entries are.
    if (listing.by_folded.count(Fold_Case(text)) != 0) {
        for (auto it = entries.end(); it != entries.begin();) {
            --it;
            if (it->name == text && it->path.filename() == name) {
                entries.erase(it);
                listing.unindex(text);
                break;
            }
        }
    }
    std::error_code ec;
    if (std::filesystem::symlink_status(entry, ec).type() != std::filesystem::file_type::not_found && !ec) {
        Folder_Entry added;
        added.path = entry.parent_path() / name;
        added.name = text;
        std::error_code type_ec;
        added.is_folder = std::filesystem::is_directory(entry, type_ec);
        added.is_file = std::filesystem::is_regular_file(entry, type_ec);
        listing.index(added);
        entries.push_back(std::move(added));
    }
    Disk_Stamp now;
    now.taken_ns = Now_Ns();
    now.present = Stat_Of(entry.parent_path(), now);
    now.generation = names_generation;
    listing.stamp = now;
}

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

uint64_t Watched_Names_Generation(const std::filesystem::path& host_folder)
{
    const uint64_t generation =
        Change_Watch::instance().generation(host_folder, Machine::instance().root(), true);
    if (generation == 0)
        ++t_unwatched_reads;
    return generation;
}

uint64_t Own_Entry_Changes() { return g_Own_Entry_Changes.load(); }

Own_Entry_Change::Own_Entry_Change(std::vector<std::filesystem::path> entries) : entries_(std::move(entries))
{
    for (std::filesystem::path& entry : entries_) {
        entry = std::filesystem::absolute(entry).lexically_normal();
        Change_Watch::instance().expect(entry, true);
    }
}

Own_Entry_Change::~Own_Entry_Change()
{
    // The caller reads errno of the change it made.
    const int error = errno;
    for (const std::filesystem::path& entry : entries_)
        Change_Watch::instance().expect(entry, false);
    const uint64_t names_generation = Change_Watch::instance().names_generation();
    {
        std::lock_guard<std::mutex> lock(Listings_Mutex());
        for (const std::filesystem::path& entry : entries_)
            Follow_Own_Change(entry, names_generation);
    }
    ++g_Own_Entry_Changes;
    errno = error;
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
    auto& listings = Listings();
    const uint64_t generation = Watched_Names_Generation(host_folder);
    std::lock_guard<std::mutex> lock(Listings_Mutex());
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
    listing.by_folded.clear();
    for (const Folder_Entry& entry : *listing.entries)
        listing.index(entry);
    return listing.entries;
}

std::optional<std::filesystem::path> Find_Folder_Entry(const std::filesystem::path& host_folder, const std::wstring& name)
{
    Folder_Listing(host_folder);
    std::lock_guard<std::mutex> lock(Listings_Mutex());
    auto kept = Listings().find(host_folder.native());
    if (kept == Listings().end())
        return std::nullopt;
    auto found = kept->second.by_folded.find(Fold_Case(name));
    if (found == kept->second.by_folded.end())
        return std::nullopt;
    const auto& names = found->second;
    auto exact = std::find_if(names.begin(), names.end(), [&](const auto& n) { return n.first == name; });
    return host_folder / (exact != names.end() ? exact->second : names.front().second);
}

}  // namespace platform
