// Signatures in cadhost sessions: one recorded from picked curves (a rectangle with a round
// hole and an ellipse), saved to the library, placed turned by Tab between two points, saved
// and plotted filled; and the library manager's rename, delete, code change and preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

fs::path Config_Folder(const fs::path& machine)
{
    return machine / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel";
}

std::vector<std::string> Words_Of(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// The x-y box of the vertices of the first KV_Sign_Class in a DXF file, and its layer.
struct Saved_Box {
    int found = 0;
    std::string layer;
    double min_x = 1e300, min_y = 1e300, max_x = -1e300, max_y = -1e300;
};

Saved_Box Read_Signature_Box(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    Saved_Box box;
    std::string code_line, value;
    bool inside = false;
    while (std::getline(in, code_line) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r')
            value.pop_back();
        const int code = std::stoi(code_line);
        if (code == 0) {
            inside = value == "KV_Sign_Class" && box.found == 0;
            box.found += value == "KV_Sign_Class" ? 1 : 0;
        } else if (inside && code == 8) {
            box.layer = value;
        } else if (inside && code == 10) {
            box.min_x = std::min(box.min_x, std::stod(value)), box.max_x = std::max(box.max_x, std::stod(value));
        } else if (inside && code == 20) {
            box.min_y = std::min(box.min_y, std::stod(value)), box.max_y = std::max(box.max_y, std::stod(value));
        }
    }
    return box;
}

// Share of dark pixels of the page's grey picture at 10 dpi-per-mm inside the box (in mm
// from the page's lower left corner).
double Dark_Share(const fs::path& pdf, double x0, double y0, double x1, double y1)
{
    const std::string script =
        "import sys,subprocess; from PIL import Image; import io\n"
        "png=subprocess.run([\"pdftoppm\",\"-gray\",\"-r\",\"254\",\"-png\",sys.argv[1]],capture_output=True).stdout\n"
        "im=Image.open(io.BytesIO(png)).convert(\"L\"); w,h=im.size; k=w/420.0\n"
        "x0,y0,x1,y1=[float(v) for v in sys.argv[2:6]]\n"
        "px=[im.getpixel((int(x*k),int(h-1-y*k))) for x in [x0+(x1-x0)*(i+0.5)/40 for i in range(40)]"
        " for y in [y0+(y1-y0)*(j+0.5)/40 for j in range(40)]]\n"
        "print(sum(1 for p in px if p<160)/len(px))\n";
    std::ostringstream command;
    command << "/usr/bin/python3 -c " << Quoted(script) << " " << Quoted(pdf) << " " << x0 << " " << y0 << " " << x1
            << " " << y1;
    return std::stod(Shell(command.str()));
}

}  // namespace

TEST(Signature_Session, A_Signature_From_Picked_Curves_Is_Placed_Turned_And_Plots_Filled)
{
    Cadhost_Runner runner;
    const fs::path machine = runner.folder() / "machine";
    fs::create_directories(machine / "c");
    fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/sign_curves.dxf", machine / "c" / "sheet.dxf");
    // The signature: 112 x 30 enlarged to width + height 200; turned it fills the height of the
    // rectangle (250,50)-(350,150).
    const fs::path script = runner.Write_Script(
        "sign.scr",
        "command OPEN\nfile \"C:\\sheet.dxf\"\n"
        "command KV_DivezUrez_6\n@IDD_DLG_SIGN_LIB click IDC_SIGN_LIB_ADD\nselect window 990,-10 1120,40\n"
        "@IDD_DLG_SIGN text IDC_SIGN_NAME \"  Zhang San \"\n@IDD_DLG_SIGN text IDC_SIGN_CODE \"0\"\n"
        "@IDD_DLG_SIGN click IDOK\n@IDD_DLG_SIGN_LIB click IDOK\n"
        "command KV_DivezUrez_7\npick 0\npoint 250,50\npoint 300,60\nkey TAB\npoint 350,150\n"
        "save \"C:\\signed.dxf\"\n"
        "command KV_DivezUrez_1\npoint 0,0\npoint 420,297\n");
    const Cadhost_Run run = runner.Run({"--root", machine.string(), "--module", MODULE_2025_PATH, "--script",
                                        script.string(), ""});
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    // The library: one signer, three outlines (the rectangle, its hole, the ellipse).
    const std::vector<std::string> words = Words_Of(Config_Folder(machine) / "Sign.kvlib1");
    ASSERT_GE(words.size(), 6u) << run.out;
    EXPECT_EQ(words[2], "1");
    EXPECT_EQ(words[4], "3");
    EXPECT_NE(std::find(words.begin(), words.end(), "Zhang*?*San"), words.end());
    std::vector<std::string> kinds;
    for (size_t i = 5; i + 2 < words.size() && kinds.size() < 3; ) {
        kinds.push_back(words[i + 1]);
        i += 3 + 2 * static_cast<size_t>(std::stoi(words[i + 2]));
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"1", "0", "1"}));

    const Saved_Box box = Read_Signature_Box(machine / "c" / "signed.dxf");
    ASSERT_EQ(box.found, 1) << run.out;
    EXPECT_EQ(box.layer, "KV_Sign");
    const double e = 200.0 / 142.0, s = 100.0 / (112.0 * e);
    EXPECT_NEAR(box.min_y, 50.0, 0.01);
    EXPECT_NEAR(box.max_y, 150.0, 0.01);
    EXPECT_NEAR(box.min_x, 300.0 - 15.0 * s * e, 0.01);
    EXPECT_NEAR(box.max_x, 300.0 + 15.0 * s * e, 0.01);

    const std::vector<fs::path> pdfs =
        Files_In(machine / "c" / "Users" / "korvel" / "Documents" / "Korvel_Temp", ".pdf");
    ASSERT_EQ(pdfs.size(), 1u) << run.out;
    // Filled: the turned rectangle spans y 50..121 (the circle's hole around y 63, radius 7);
    // its solid part is dark, the hole and the page away from it are white.
    EXPECT_GT(Dark_Share(pdfs[0], 292, 85, 308, 112), 0.9);
    EXPECT_LT(Dark_Share(pdfs[0], 298, 61, 302, 66), 0.1);
    EXPECT_LT(Dark_Share(pdfs[0], 100, 60, 200, 150), 0.01);
}

TEST(Signature_Session, The_Library_Manager_Renames_Deletes_Recodes_And_Previews)
{
    Cadhost_Runner runner;
    const fs::path machine = runner.folder() / "machine";
    fs::create_directories(Config_Folder(machine));
    {
        auto encoded = [](long code) { return code == 0 ? std::string("0") : std::to_string(code * 389 + 1609343); };
        std::ofstream file(Config_Folder(machine) / "Sign.kvlib1", std::ios::binary);
        file << "20260101\r\n0\r\n3\r\n";
        const std::tuple<int, const char*, long> signers[] = {
            {2, "Li*?*Si", 654321}, {3, "Wang*?*Wu", 0}, {1, "Zhang*?*San", 123456}};
        for (const auto& [person, name, code] : signers)
            file << "20260101\r\n1\r\n20260101\r\n1\r\n3\r\n-5   -5\r\n5   -5\r\n0   5\r\n10\r\n10\r\n" << person
                 << "\r\n" << name << "\r\n" << encoded(code) << "\r\n0\r\n0\r\n0\r\n1\r\n";
    }
    const fs::path picture = runner.folder() / "view.png";
    const fs::path script = runner.Write_Script(
        "library.scr",
        "command KV_DivezUrez_6\n"
        "@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 0 1\n@IDD_DLG_SIGNVIEW snapshot \"" + picture.string() + "\"\n"
        "@IDD_DLG_SIGNVIEW click IDOK\n"
        "@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 0 4\n@IDD_DLG_PSD text IDC_PSD_OLD_CODE \"654321\"\n"
        "@IDD_DLG_PSD text IDC_PSD_NEW_CODE \"777\"\n@IDD_DLG_PSD click IDOK\n"
        "@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 1 2\n@IDD_DLG_STR text IDC_EDIT_TEXT \"Zhao Liu\"\n"
        "@IDD_DLG_STR click IDOK\n"
        "@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 2 3\n"
        "@IDD_DLG_SIGN_LIB rows 1164\n@IDD_DLG_SIGN_LIB click IDOK\n");
    const Cadhost_Run run = runner.Run({"--root", machine.string(), "--module", MODULE_2025_PATH, "--script",
                                        script.string(), ""});
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    const std::vector<std::vector<std::string>> rows = ::Rows(run.out);
    ASSERT_EQ(rows.size(), 2u) << run.out;
    EXPECT_EQ(rows[0][2], "Li Si");
    EXPECT_EQ(rows[1][2], "Zhao Liu");
    EXPECT_EQ(rows[1][4], "未设置");

    const std::vector<std::string> words = Words_Of(Config_Folder(machine) / "Sign.kvlib1");
    ASSERT_EQ(words[2], "2");
    const std::vector<std::string> expected_names{"Li*?*Si", "Zhao*?*Liu"};
    std::vector<std::string> names, codes;
    for (size_t i = 0; i < words.size(); ++i)
        if (words[i] == expected_names[0] || words[i] == expected_names[1]) {
            names.push_back(words[i]);
            codes.push_back(words[i + 1]);
        }
    EXPECT_EQ(names, expected_names);
    EXPECT_EQ(codes, (std::vector<std::string>{std::to_string(777 * 389 + 1609343), "0"}));

    // The preview shows the outline filled dark green on grey.
    const std::string greens = Shell(
        "/usr/bin/python3 -c \"import sys; from PIL import Image; im=Image.open(sys.argv[1]).convert('RGB'); "
        "print(sum(1 for p in im.getdata() if p==(0,76,0)))\" " + Quoted(picture));
    EXPECT_GT(std::stoi(greens), 100) << run.out;
}
