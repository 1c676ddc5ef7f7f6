// What is read from a file or folder is kept until the file or folder changes on disk, even
// when a rewrite keeps the size and the modification time.
#include <algorithm>
#include <chrono>

#include "machine_fixture.h"
#include "win/disk_change.h"
#include "win/win_files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class DiskChangeTest : public MachineTest {
protected:
    // A cache that parses the bytes as they are and counts its parses.
    Parsed_File_Cache<std::string> cache{[this](const std::string& bytes, std::string& parsed, std::wstring& error) {
        ++parses;
        if (bytes == "bad") {
            error = L"unreadable";
            return false;
        }
        parsed = bytes;
        return true;
    }};
    int parses = 0;

    std::string Parsed(const fs::path& path)
    {
        std::wstring error;
        std::shared_ptr<const std::string> parsed = cache.get(path, error);
        return parsed ? *parsed : "<none>";
    }
    std::vector<std::wstring> Names(const fs::path& folder)
    {
        std::vector<std::wstring> names;
        const std::shared_ptr<const std::vector<Folder_Entry>> listing = Folder_Listing(folder);
        for (const Folder_Entry& entry : *listing)
            names.push_back(entry.name + (entry.is_folder ? L"/" : L""));
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(DiskChangeTest, UnchangedFileIsParsedOnce)
{
    const fs::path file = c_drive() / "K_PDF.pmp";
    Write_File(file, "papers");
    EXPECT_EQ(Parsed(file), "papers");
    EXPECT_EQ(Parsed(file), "papers");
    EXPECT_EQ(Parsed(file), "papers");
    EXPECT_EQ(parses, 1);
}

// Each rewrite is seen by the next look, however little it changes of the file's stamp.
TEST_F(DiskChangeTest, RewrittenFileIsParsedAgain)
{
    const fs::path file = c_drive() / "K_PDF.pmp";
    const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const struct {
        const char* what;
        std::string bytes;
        bool keep_time;
        std::string parsed;
    } cases[] = {
        {"same size, time set back", "papers A2 A4", true, "papers A2 A4"},
        {"longer", "papers A3 A4 A5", false, "papers A3 A4 A5"},
        {"same size again at once", "papers A1 A4", false, "papers A1 A4"},
        {"unparsable", "bad", false, "<none>"},
        {"good again", "papers", false, "papers"},
    };
    Write_File(file, "papers A0 A4");
    fs::last_write_time(file, an_hour_ago);
    ASSERT_EQ(Parsed(file), "papers A0 A4");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write_File(file, c.bytes);
        if (c.keep_time)
            fs::last_write_time(file, an_hour_ago);
        EXPECT_EQ(Parsed(file), c.parsed);
    }
    // Replaced by another file of the same bytes and time: read again, same result.
    const fs::path other = c_drive() / "other.pmp";
    Write_File(other, "papers");
    fs::rename(other, file);
    EXPECT_EQ(Parsed(file), "papers");
    fs::remove(file);
    bool read_failed = false;
    std::wstring error;
    EXPECT_EQ(cache.get(file, error, &read_failed), nullptr);
    EXPECT_TRUE(read_failed);
}

TEST_F(DiskChangeTest, FolderListingFollowsTheFolder)
{
    const fs::path folder = c_drive() / "Plotters";
    Write_File(folder / "K_PDF.pc5");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"K_PDF.pc5"}));
    Write_File(folder / "Sub" / "Deep.pc5");
    Write_File(folder / "K_PNG.pc5");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"K_PDF.pc5", L"K_PNG.pc5", L"Sub/"}));
    fs::remove(folder / "K_PDF.pc5");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"K_PNG.pc5", L"Sub/"}));
    fs::remove_all(folder);
    EXPECT_TRUE(Names(folder).empty());
    Write_File(folder / "K_SVG.pc5");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"K_SVG.pc5"}));
    // A parent moved away and another in its place: the path names another folder.
    const fs::path deep = c_drive() / "Profile" / "Plotters";
    Write_File(deep / "K_PDF.pc5");
    EXPECT_EQ(Names(deep), (std::vector<std::wstring>{L"K_PDF.pc5"}));
    fs::rename(c_drive() / "Profile", c_drive() / "Old profile");
    Write_File(deep / "K_DWF.pc5");
    EXPECT_EQ(Names(deep), (std::vector<std::wstring>{L"K_DWF.pc5"}));
}

// The program's own files show in the kept listing at once (its own changes are not read
// again from disk), while changes by others, even right after, are seen as before; a name
// resolved before the program made it in another case resolves to the file made.
TEST_F(DiskChangeTest, OwnChangesShowInTheListingAndOthersStillDo)
{
    const fs::path folder = c_drive() / "图纸" / "PDF";
    fs::create_directories(folder);
    const std::wstring windows = L"C:\\图纸\\PDF\\";
    auto Own_Write = [&](const std::wstring& name) {
        FILE* file = _wfopen((windows + name).c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    };
    EXPECT_TRUE(Names(folder).empty());
    EXPECT_EQ(To_Host_Path(windows + L"图1.PDF"), folder / "图1.PDF");
    const uint64_t names = Watched_Names_Generation(folder);

    Own_Write(L"图1.pdf");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"图1.pdf"}));
    EXPECT_EQ(To_Host_Path(windows + L"图1.PDF"), folder / "图1.pdf");
    Own_Write(L"图2.pdf.~1.tmp");
    ASSERT_TRUE(MoveFileExW((windows + L"图2.pdf.~1.tmp").c_str(), (windows + L"图2.pdf").c_str(),
                            MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"图1.pdf", L"图2.pdf"}));
    ASSERT_TRUE(CreateDirectoryW((windows + L"子").c_str(), nullptr));
    ASSERT_TRUE(DeleteFileW((windows + L"图1.pdf").c_str()));
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"图2.pdf", L"子/"}));
    EXPECT_EQ(Watched_Names_Generation(folder), names);

    // Another program's file, right after one of ours.
    Own_Write(L"图3.pdf");
    Write_File(folder / "other.pdf");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"other.pdf", L"图2.pdf", L"图3.pdf", L"子/"}));
    fs::remove(folder / "图2.pdf");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"other.pdf", L"图3.pdf", L"子/"}));
}

// A folder outside the machine's root (a drawing's) is kept while unchanged too: others' changes
// in it, and another folder put in its place, are seen.
TEST_F(DiskChangeTest, AFolderOutsideTheRootFollowsItsChanges)
{
    const fs::path outside = fs::path(Machine::instance().root().string() + "_图纸");
    const fs::path folder = outside / "PDF";
    fs::create_directories(folder);
    Write_File(folder / "a.pdf");
    EXPECT_NE(Watched_Names_Generation(folder), 0u);
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"a.pdf"}));
    Write_File(folder / "b.pdf");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"a.pdf", L"b.pdf"}));
    fs::rename(outside, fs::path(outside.string() + "_old"));
    Write_File(folder / "c.pdf");
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"c.pdf"}));
    fs::remove_all(outside);
    fs::remove_all(outside.string() + "_old");
    EXPECT_TRUE(Names(folder).empty());
}

}  // namespace
}  // namespace platform
