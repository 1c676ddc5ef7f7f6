// The signature authorisation command in a cadhost session: the drawing's signers in the
// list, one confirmed with his code and a number of days, the code and window written
// into his signatures in model space and in a block definition, the one on the locked
// layer reported and left, the other signers untouched in the saved drawing.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "cadhost_runner.h"

namespace {

const std::string Fixture = KORVEL_SOURCE_DIR "/tests/fixtures/dxf/sign_authorise.dxf";

// The library: 1 "Zhang San" code 123456, 2 "Li Si" code 654321, 3 "Wang Wu" no code.
std::string Library_File()
{
    auto encoded = [](long code) { return std::to_string(code * 389 + 1609343); };
    std::ostringstream text;
    text << "20260101\r\n0\r\n3\r\n";
    const std::tuple<int, const char*, long> signers[] = {
        {1, "Zhang*?*San", 123456}, {2, "Li*?*Si", 654321}, {3, "Wang*?*Wu", 0}};
    for (const auto& [person, name, code] : signers)
        text << "20260101\r\n1\r\n20260101\r\n1\r\n3\r\n0   0\r\n1   0\r\n0   1\r\n1\r\n1\r\n" << person << "\r\n"
             << name << "\r\n" << (code == 0 ? std::string("0") : encoded(code)) << "\r\n0\r\n0\r\n0\r\n1\r\n";
    return text.str();
}

struct Saved_Signature {
    std::string layer;
    std::string owner;
    double x = 0;
    int person = 0, code = 0, start = 0, end = 0;
};

// The KV_Sign_Class records of a DXF file, in file order.
std::vector<Saved_Signature> Read_Signatures(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<Saved_Signature> found;
    std::string code_line, value;
    bool inside = false, own_part = false, have_x = false;
    while (std::getline(in, code_line) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r')
            value.pop_back();
        const int code = std::stoi(code_line);
        if (code == 0) {
            inside = value == "KV_Sign_Class";
            own_part = have_x = false;
            if (inside)
                found.emplace_back();
            continue;
        }
        if (!inside)
            continue;
        Saved_Signature& s = found.back();
        if (code == 100)
            own_part = value == "KV_Sign_Class";
        else if (code == 8)
            s.layer = value;
        else if (code == 330)
            s.owner = value;
        else if (code == 10 && !have_x)
            s.x = std::stod(value), have_x = true;
        else if (own_part && code >= 91 && code <= 94)
            (code == 91 ? s.person : code == 92 ? s.code : code == 93 ? s.start : s.end) = std::stoi(value);
    }
    return found;
}

int Date_Stamp(int days_from_today)
{
    std::time_t now = std::time(nullptr);
    std::tm day = *std::localtime(&now);
    day.tm_mday += days_from_today;
    day.tm_hour = 12;
    std::mktime(&day);
    return (day.tm_year + 1900) * 10000 + (day.tm_mon + 1) * 100 + day.tm_mday;
}

}  // namespace

TEST(Signature_Authorise_Session, Confirmed_Signer_Is_Written_Into_Exactly_His_Open_Signatures)
{
    Cadhost_Runner runner;
    const std::filesystem::path machine = runner.folder() / "machine";
    const std::filesystem::path config = machine / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel";
    std::filesystem::create_directories(config);
    std::ofstream(config / "Sign.kvlib1", std::ios::binary) << Library_File();
    // Opened once the module is loaded, so that the signatures are read as its entities.
    std::filesystem::copy_file(Fixture, machine / "c" / "sign.dxf");

    // Rows: Li Si, Zhang San (coded, by name), Wang Wu, then Nobody.
    const std::filesystem::path script = runner.Write_Script(
        "authorise.scr", "command OPEN\nfile \"C:\\sign.dxf\"\ncommand KV_DivezUrez_8\n@817 cell 1081 1 3\n@701 text 1082 \"123456\"\n"
                         "@701 text 1083 \"10\"\n@701 click 1\n@817 click 2\nmsgbox OK\nsave \"C:\\signed.dxf\"\n");
    const int today = Date_Stamp(0);
    const Cadhost_Run run = runner.Run({"--root", machine.string(), "--module", MODULE_2025_PATH, "--script",
                                        script.string(), ""});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_NE(run.out.find("有签名在锁定层上，可能会造成授权失败 !"), std::string::npos) << run.out;

    const std::vector<Saved_Signature> saved = Read_Signatures(machine / "c" / "signed.dxf");
    ASSERT_EQ(saved.size(), 6u);
    const std::vector<Saved_Signature> before = Read_Signatures(Fixture);
    std::map<std::string, int> written;
    for (const Saved_Signature& s : saved) {
        SCOPED_TRACE(std::to_string(s.person) + " on " + s.layer + " at " + std::to_string(s.x));
        const bool confirmed = s.person == 1 && s.layer != "LOCKED";
        if (confirmed) {
            ++written[s.owner];
            EXPECT_EQ(s.code, 123456);
            EXPECT_EQ(s.start, today);
            EXPECT_EQ(s.end, Date_Stamp(9));
            continue;
        }
        bool unchanged = false;
        for (const Saved_Signature& b : before)
            unchanged = unchanged || (b.person == s.person && b.layer == s.layer && b.x == s.x && b.code == s.code &&
                                      b.start == s.start && b.end == s.end);
        EXPECT_TRUE(unchanged);
    }
    // One in model space, one in the block definition.
    EXPECT_EQ(written.size(), 2u);
}
