// The stamp library dialog in cadhost sessions: a PNG stamp added, sized, dated, disabled
// and enabled again, the library exported and saved on OK; in the next session deleted,
// imported back from the export, given a code and saved again.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"

namespace {

const std::filesystem::path Seal_Png = KORVEL_SOURCE_DIR "/tests/fixtures/stamps/seal.png";

struct Saved_Stamp {
    std::string picture;
    std::u16string name;
    double width = 0, height = 0;
    int32_t code = 0, date = 0, type = 0, enabled = 0;
};

// The records of a ".kvlib2" file; empty when it cannot be read whole.
std::vector<Saved_Stamp> Read_Library(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string data = bytes.str();
    size_t at = 0;
    auto take = [&](void* out, size_t n) {
        if (at + n > data.size())
            return false;
        std::memcpy(out, data.data() + at, n);
        at += n;
        return true;
    };
    int32_t stamp = 0, header = 0, count = 0;
    std::vector<Saved_Stamp> stamps;
    if (!take(&stamp, 4) || !take(&header, 4) || !take(&count, 4))
        return stamps;
    for (int32_t i = 0; i < count; ++i) {
        Saved_Stamp s;
        int32_t length = 0, units = 0;
        if (!take(&stamp, 4) || !take(&length, 4) || at + size_t(length) > data.size())
            return {};
        s.picture = data.substr(at, size_t(length));
        at += size_t(length);
        if (!take(&units, 4))
            return {};
        s.name.resize(size_t(units));
        if (!take(s.name.data(), size_t(units) * 2) || !take(&s.width, 8) || !take(&s.height, 8) ||
            !take(&s.code, 4) || !take(&s.date, 4) || !take(&s.type, 4) || !take(&s.enabled, 4))
            return {};
        stamps.push_back(s);
    }
    return stamps;
}

std::string File_Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

TEST(Stamp_Library_Session, Add_Size_Date_Disable_Enable_Export_Then_Import_And_Recode)
{
    Cadhost_Runner runner;
    const std::filesystem::path machine = runner.folder() / "machine";
    const std::filesystem::path config = machine / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel";
    std::filesystem::create_directories(machine / "c");
    std::filesystem::copy_file(Seal_Png, machine / "c" / "seal.png");
    auto run = [&](const std::string& name, const std::string& steps) {
        const std::filesystem::path script = runner.Write_Script(name, steps);
        return runner.Run({"--root", machine.string(), "--module", MODULE_2025_PATH, "--script", script.string(), ""});
    };

    // The picture is 40 x 20 pixels: a stamp 62 mm wide is 31 mm high, at 124 mm 62 mm.
    const Cadhost_Run first = run("add.scr",
                                  "command KV_DivezUrez_13\n"
                                  "@824 click 897\nfile \"C:\\seal.png\"\n"
                                  "@819 text 914 \"  Seal A \"\n@819 text 916 \"62\"\n@819 click 876\n"
                                  "@819 text 1004 \"2030-05-06\"\n@819 click IDOK\n"
                                  "@824 rows 1164\n"
                                  "@824 cell 1164 0 6\n@821 text 916 \"124\"\n@821 click IDOK\n"
                                  "@824 cell 1164 0 5\n@820 text 1004 \"2031-01-02\"\n@820 click IDOK\n"
                                  "@824 cell 1164 0 8\n@824 rows 1164\n@824 cell 1164 0 8\n@824 rows 1164\n"
                                  "@824 click 896\nfile \"C:\\export.kvlib2\"\n"
                                  "@824 click IDOK\n");
    ASSERT_EQ(first.status, 0) << first.err << first.out;
    EXPECT_NE(first.out.find("rows 1164:  1 | EYE | Seal A | DEL | 未设置 |  2030.5.6  |  62 x 31  |  竣工章  | √ 可用"),
              std::string::npos)
        << first.out;
    EXPECT_NE(first.out.find("|  2031.1.2  |  124 x 62  |  竣工章  | X  禁用"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("|  2031.1.2  |  124 x 62  |  竣工章  | √ 可用"), std::string::npos) << first.out;

    const std::vector<Saved_Stamp> saved = Read_Library(config / "Stamp.kvlib2");
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].picture, File_Bytes(Seal_Png));
    EXPECT_EQ(saved[0].name, u"Seal*?*A");
    EXPECT_EQ(saved[0].width, 124.0);
    EXPECT_EQ(saved[0].height, 62.0);
    EXPECT_EQ(saved[0].date, 20310102);
    EXPECT_EQ(saved[0].type, 3);
    EXPECT_EQ(saved[0].enabled, 1);
    EXPECT_EQ(saved[0].code, 0);
    EXPECT_EQ(File_Bytes(machine / "c" / "export.kvlib2"), File_Bytes(config / "Stamp.kvlib2"));

    // Importing into the held stamp asks whether it stays (Yes: one stamp of that name);
    // deleted and imported again it comes back, then gets a code.
    const Cadhost_Run second = run("import.scr",
                                   "command KV_DivezUrez_13\n"
                                   "@824 click 895\nfile \"C:\\export.kvlib2\"\nmsgbox YES\n@824 rows 1164\n"
                                   "@824 cell 1164 0 3\n"
                                   "@824 click 895\nfile \"C:\\export.kvlib2\"\n"
                                   "@824 cell 1164 0 4\n@816 text 918 \"4321\"\n@816 click IDOK\n@824 rows 1164\n"
                                   "@824 click IDOK\n");
    ASSERT_EQ(second.status, 0) << second.err << second.out;
    EXPECT_NE(second.out.find("原印章库信息是否保留 ？"), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("rows 1164:  1 | EYE | Seal A | DEL | ****** |"), std::string::npos) << second.out;
    const std::vector<Saved_Stamp> recoded = Read_Library(config / "Stamp.kvlib2");
    ASSERT_EQ(recoded.size(), 1u);
    EXPECT_EQ(recoded[0].code, 4321 * 389 + 1609343);
    EXPECT_EQ(recoded[0].width, 124.0);
}

TEST(Stamp_Library_Session, A_Second_Stamp_Of_The_Same_Name_Is_Refused_Without_Regard_To_Case)
{
    Cadhost_Runner runner;
    const std::filesystem::path machine = runner.folder() / "machine";
    std::filesystem::create_directories(machine / "c");
    std::filesystem::copy_file(Seal_Png, machine / "c" / "seal.png");
    const std::filesystem::path script =
        runner.Write_Script("same.scr",
                            "command KV_DivezUrez_13\n"
                            "@824 click 897\nfile \"C:\\seal.png\"\n@819 text 914 \"Seal\"\n@819 click IDOK\n"
                            "@824 click 897\nfile \"C:\\seal.png\"\n@819 text 914 \"SEAL\"\n@819 click IDOK\nmsgbox OK\n"
                            "@819 text 914 \"Other\"\n@819 click IDOK\n"
                            "@824 cell 1164 1 2\n@809 text 202 \"seal\"\n@809 click IDOK\nmsgbox OK\n"
                            "@824 rows 1164\n@824 click IDOK\n");
    const Cadhost_Run run =
        runner.Run({"--root", machine.string(), "--module", MODULE_2025_PATH, "--script", script.string(), ""});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    size_t refusals = 0;
    for (size_t at = run.out.find("印章库内已有同名印章 !"); at != std::string::npos;
         at = run.out.find("印章库内已有同名印章 !", at + 1))
        ++refusals;
    EXPECT_EQ(refusals, 2u) << run.out;
    EXPECT_NE(run.out.find("rows 1164:  1 | EYE | Seal |"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("rows 1164:  2 | EYE | Other |"), std::string::npos) << run.out;
}

namespace {

std::string Int32_Bytes(int32_t value)
{
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

// One record of a ".kvlib2" file: the name in UTF-16 code units, 62 x 31 mm, no code.
std::string Record_Bytes(const std::string& picture, const std::u16string& name)
{
    std::string bytes = Int32_Bytes(20261210) + Int32_Bytes(static_cast<int32_t>(picture.size())) + picture +
                        Int32_Bytes(static_cast<int32_t>(name.size()));
    bytes.append(reinterpret_cast<const char*>(name.data()), name.size() * 2);
    const double size[2] = {62.0, 31.0};
    bytes.append(reinterpret_cast<const char*>(size), sizeof size);
    for (int32_t value : {0, 20301231, 4, 1})
        bytes += Int32_Bytes(value);
    return bytes;
}

}  // namespace

TEST(Stamp_Library_Session, A_Damaged_Library_Is_Named_Kept_And_Written_Back_Only_After_An_Edit)
{
    Cadhost_Runner runner;
    const std::filesystem::path machine = runner.folder() / "machine";
    const std::filesystem::path config = machine / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel";
    std::filesystem::create_directories(config);
    const std::string picture = File_Bytes(Seal_Png);
    const std::string whole = Int32_Bytes(20261210) + Int32_Bytes(0) + Int32_Bytes(2) +
                              Record_Bytes(picture, u"注册章") + Record_Bytes(picture, u"出图章");
    const std::string damaged = whole.substr(0, whole.size() - 30);
    std::ofstream(config / "Stamp.kvlib2", std::ios::binary) << damaged;
    auto run = [&](const std::string& name, const std::string& steps) {
        const std::filesystem::path script = runner.Write_Script(name, steps);
        return runner.Run({"--root", machine.string(), "--module", MODULE_2025_PATH, "--script", script.string(), ""});
    };

    // Named when the module loads and again when the dialog reads it; OK without a change
    // leaves it as it is.
    const Cadhost_Run first = run("open.scr", "command KV_DivezUrez_13\n@824 rows 1164\n@824 click IDOK\n");
    ASSERT_EQ(first.status, 0) << first.err << first.out;
    const std::string notice = "印章库文件 < C:\\Users\\korvel\\AppData\\Roaming\\Korvel\\Stamp.kvlib2 > 不完整或已损坏，"
                               "读入了其中完整的 1 个印章；原文件另存为 < "
                               "C:\\Users\\korvel\\AppData\\Roaming\\Korvel\\Stamp.kvlib2.bad >。";
    EXPECT_NE(first.out.find(notice), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("rows 1164:  1 | EYE | 注册章 |"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("未完整读入且未作修改，原文件保持不变"), std::string::npos) << first.out;
    EXPECT_EQ(File_Bytes(config / "Stamp.kvlib2"), damaged);
    EXPECT_EQ(File_Bytes(config / "Stamp.kvlib2.bad"), damaged);

    // Disabled in the dialog, the stamp that was read is written whole; the kept file stays.
    const Cadhost_Run second = run("edit.scr", "command KV_DivezUrez_13\n@824 cell 1164 0 8\n@824 click IDOK\n");
    ASSERT_EQ(second.status, 0) << second.err << second.out;
    const std::vector<Saved_Stamp> saved = Read_Library(config / "Stamp.kvlib2");
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].name, u"注册章");
    EXPECT_EQ(saved[0].enabled, 0);
    EXPECT_EQ(File_Bytes(config / "Stamp.kvlib2.bad"), damaged);
    EXPECT_FALSE(std::filesystem::exists(config / "Stamp.kvlib2.2.bad"));
}
