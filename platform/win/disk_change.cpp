#include "win/disk_change.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>

#include "win/host_path_text.h"

namespace platform {

namespace {

// A modification this close to the read may share its timestamp with a later write (coarse
// file system clocks tick in milliseconds, some file systems in seconds).
constexpr int64_t kRacyNs = 2'000'000'000;

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
    return std::max(stamp.modified_ns, stamp.changed_ns) >= stamp.taken_ns - kRacyNs;
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

}  // namespace

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
    std::lock_guard<std::mutex> lock(mutex);
    Disk_Stamp now;
    now.taken_ns = Now_Ns();
    now.present = Stat_Of(host_folder, now);
    if (!now.present) {
        listings.erase(host_folder.native());
        return std::make_shared<const std::vector<Folder_Entry>>();
    }
    auto found = listings.find(host_folder.native());
    // A folder changed within the granularity of its time is listed again.
    if (found != listings.end() && Same_File_Fields(found->second.stamp, now) && !Is_Racy(found->second.stamp))
        return found->second.entries;
    Listing& listing = listings[host_folder.native()];
    listing.stamp = now;
    listing.entries = List_Folder(host_folder);
    return listing.entries;
}

}  // namespace platform
