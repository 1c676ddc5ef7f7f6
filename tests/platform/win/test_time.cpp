#include <cstdlib>
#include <ctime>

#include "machine_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Runs the clock tests in a zone with an offset, so that local and UTC differ.
class ClockTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        const char* zone = std::getenv("TZ");
        saved_zone_ = zone ? std::optional<std::string>(zone) : std::nullopt;
        setenv("TZ", "CST-8", 1);
        tzset();
    }
    void TearDown() override {
        if (saved_zone_) setenv("TZ", saved_zone_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
        MachineTest::TearDown();
    }
    std::optional<std::string> saved_zone_;
};

SYSTEMTIME Make_Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t{};
    t.wYear = year, t.wMonth = month, t.wDay = day, t.wHour = hour, t.wMinute = minute, t.wSecond = second;
    return t;
}

// The local time a file's modification time shows.
SYSTEMTIME Local_Write_Time(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExW(path, GetFileExInfoStandard, &data));
    FILETIME local{};
    EXPECT_TRUE(FileTimeToLocalFileTime(&data.ftLastWriteTime, &local));
    SYSTEMTIME time{};
    EXPECT_TRUE(FileTimeToSystemTime(&local, &time));
    return time;
}

std::string Text(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d (%d)", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond, t.wDayOfWeek);
    return text;
}

TEST_F(ClockTest, EveryClockReadingAgreesWithTheFixedLocalTime) {
    Machine::instance().set_local_time(Make_Time(2026, 12, 8, 23, 14, 30));
    SYSTEMTIME local{}, utc{};
    GetLocalTime(&local);
    GetSystemTime(&utc);
    EXPECT_EQ(Text(utc), "2026-12-08 15:14:30 (2)");

    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    FILETIME from_utc{};
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &from_utc));
    EXPECT_EQ(CompareFileTime(&now, &from_utc), 0);

    const __time64_t seconds = _time64(nullptr);
    std::tm parts{};
    ASSERT_EQ(_localtime64_s(&parts, &seconds), 0);
    EXPECT_EQ(parts.tm_year + 1900, 2026);
    EXPECT_EQ(parts.tm_mday, 8);
    EXPECT_EQ(parts.tm_hour, 23);
    EXPECT_EQ(_mktime64(&parts), seconds);

    // A file written now carries that time; a copy keeps it.
    FILE* file = _wfopen(L"C:\\Users\\korvel\\Documents\\a.cfg", L"w");
    ASSERT_NE(file, nullptr);
    std::fputs("x\n", file);
    ASSERT_EQ(std::fclose(file), 0);
    EXPECT_EQ(Text(Local_Write_Time(L"C:\\Users\\korvel\\Documents\\a.cfg")), "2026-12-08 23:14:30 (2)");
    Machine::instance().set_local_time(Make_Time(2026, 12, 9, 8, 0, 0));
    ASSERT_TRUE(CopyFileW(L"C:\\Users\\korvel\\Documents\\a.cfg", L"C:\\Users\\korvel\\Documents\\b.cfg", FALSE));
    EXPECT_EQ(Text(Local_Write_Time(L"C:\\Users\\korvel\\Documents\\b.cfg")), "2026-12-08 23:14:30 (2)");
}

TEST_F(ClockTest, TheHostClockAgreesWithFileTimes) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    Write_File(c_drive() / "now.txt");
    SYSTEMTIME written = Local_Write_Time(L"C:\\now.txt");
    FILETIME a{}, b{};
    ASSERT_TRUE(SystemTimeToFileTime(&before, &a));
    ASSERT_TRUE(SystemTimeToFileTime(&written, &b));
    const int64_t ticks = static_cast<int64_t>((uint64_t{b.dwHighDateTime} << 32 | b.dwLowDateTime) -
                                               (uint64_t{a.dwHighDateTime} << 32 | a.dwLowDateTime));
    EXPECT_GE(ticks, -10'000'000);  // 1 s: the file system's and the clock's resolution
    EXPECT_LT(ticks, 50'000'000);
}

TEST(FileTimeTest, ConversionsRoundTripAndRefuseBadFields) {
    const SYSTEMTIME times[] = {Make_Time(1601, 1, 1, 0, 0, 0), Make_Time(2000, 2, 29, 12, 0, 59),
                                Make_Time(2038, 1, 19, 3, 14, 8), Make_Time(2999, 12, 31, 23, 59, 59)};
    for (SYSTEMTIME t : times) {
        t.wMilliseconds = 250;
        FILETIME file{};
        ASSERT_TRUE(SystemTimeToFileTime(&t, &file)) << Text(t);
        SYSTEMTIME back{};
        ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
        back.wDayOfWeek = t.wDayOfWeek = 0;
        EXPECT_EQ(Text(back), Text(t));
        EXPECT_EQ(back.wMilliseconds, 250);
    }
    FILETIME zero{};
    SYSTEMTIME epoch{};
    ASSERT_TRUE(FileTimeToSystemTime(&zero, &epoch));
    EXPECT_EQ(Text(epoch), "1601-01-01 00:00:00 (1)");
    FILETIME file{};
    for (SYSTEMTIME bad : {Make_Time(2026, 13, 1, 0, 0, 0), Make_Time(2026, 1, 0, 0, 0, 0), Make_Time(1600, 1, 1, 0, 0, 0),
                           Make_Time(2026, 1, 1, 24, 0, 0)})
        EXPECT_FALSE(SystemTimeToFileTime(&bad, &file)) << Text(bad);
}

}  // namespace
}  // namespace platform
