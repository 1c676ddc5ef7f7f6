// Stamps on the title-block road in a host session: a PNG stamp in the library, the sheets'
// frames with a stamp position, Print with stamps and merge puts the stamp's red at that
// position on every page, and the drawing keeps no stamp image afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"
#include "tk_library_file.h"

namespace fs = std::filesystem;

namespace {

// Per page of the PDF, one line: the centre and size of the box of the stamp's red pixels
// (200,0,0) as shares of the page's width and height from its lower left corner, "none" on a
// page without them.
std::vector<std::vector<double>> Red_Boxes(const fs::path& pdf)
{
    const std::string script =
        "import sys,subprocess,glob; from PIL import Image\n"
        "out=sys.argv[1]+\".page\"\n"
        "subprocess.run([\"pdftoppm\",\"-r\",\"50\",\"-png\",sys.argv[1],out],check=True)\n"
        "for f in sorted(glob.glob(out+\"*.png\")):\n"
        "  im=Image.open(f).convert(\"RGB\"); w,h=im.size; px=im.load()\n"
        "  r=[(x,y) for x in range(w) for y in range(h) if px[x,y][0]>150 and px[x,y][1]<80 and px[x,y][2]<80]\n"
        "  if not r: print(\"none\"); continue\n"
        "  x0=min(p[0] for p in r)/w; x1=(max(p[0] for p in r)+1)/w\n"
        "  y0=1-(max(p[1] for p in r)+1)/h; y1=1-min(p[1] for p in r)/h\n"
        "  print((x0+x1)/2, (y0+y1)/2, x1-x0, y1-y0)\n";
    std::vector<std::vector<double>> boxes;
    std::istringstream lines(Shell("/usr/bin/python3 -c " + Quoted(script) + " " + Quoted(pdf)));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream numbers(line);
        std::vector<double> box;
        for (double v; numbers >> v;) box.push_back(v);
        boxes.push_back(box);
    }
    return boxes;
}

TEST(TK_Stamp_Session, Print_With_Stamps_Puts_The_Stamp_At_Each_Frames_Position_And_Leaves_None_Behind)
{
    Cadhost_Runner runner;
    const fs::path machine = runner.folder() / "machine";
    fs::create_directories(machine / "c");
    fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/stamps/seal.png", machine / "c" / "seal.png");
    fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/title_blocks.dxf", runner.folder() / "title_blocks.dxf");
    Write_TK_Library(TK_Library_Path(machine));
    auto run = [&](const std::string& name, const std::string& steps, const std::string& drawing) {
        const fs::path script = runner.Write_Script(name, steps);
        return runner.Run({"--root", machine.string(), "--module", MODULE_2025_PATH, "--script", script.string(),
                           drawing});
    };

    // A stamp of any kind, 40 mm wide (20 mm high), valid for long, in the library.
    const Cadhost_Run library = run("library.scr",
                                    "command KV_DivezUrez_13\n"
                                    "@824 click 897\nfile \"C:\\seal.png\"\n"
                                    "@819 text 914 \"Seal\"\n@819 text 916 \"40\"\n@819 click 877\n"
                                    "@819 text 1004 \"2099-01-01\"\n@819 click IDOK\n@824 click IDOK\n",
                                    "");
    ASSERT_EQ(library.status, 0) << library.err << library.out;

    // Stamps ticked, the stamp taken for the first kind, whose position the frames hold.
    const fs::path merged = runner.folder() / "merged.pdf", saved = runner.folder() / "after.dxf";
    const Cadhost_Run plot = run("plot.scr",
                                 "command KV_DivezUrez_4\nenter\npick 2\n"
                                 "@806 choose 862 1\n@806 check 903 1\n@806 check 864 1\n@806 click 1\n"
                                 "@822 check 942 1\n@822 click IDOK\nfile \"" + merged.string() + "\"\nenter\npick 2\n"
                                 "@806 click 2\nsave \"" + saved.string() + "\"\nquit\n",
                                 (runner.folder() / "title_blocks.dxf").string());
    ASSERT_EQ(plot.status, 0) << plot.err << plot.out;

    // The stamp is centred on the position 60,40 mm from the frame's lower left corner, 40 x 20
    // times the sheet's scale, turned with the sheet. In list order: L1, L2, M1, M2 (the frame
    // twice as large, upright), M3, M5 (stretched to 840 mm), M6, M7.
    const std::vector<double> a3 = {60.0 / 420, 40.0 / 297, 40.0 / 420, 20.0 / 297};
    const std::vector<std::vector<double>> expected = {
        a3, a3, a3, {514.0 / 594, 120.0 / 840, 40.0 / 594, 80.0 / 840}, a3, {480.0 / 840, 40.0 / 297, 40.0 / 840, 20.0 / 297},
        a3, a3};
    const std::vector<std::vector<double>> boxes = Red_Boxes(merged);
    ASSERT_EQ(boxes.size(), expected.size()) << plot.out;
    for (size_t page = 0; page < boxes.size(); ++page) {
        ASSERT_EQ(boxes[page].size(), 4u) << "page " << page + 1 << " has no stamp";
        for (size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(boxes[page][i], expected[page][i], 0.012) << "page " << page + 1 << " value " << i;
    }

    // The stamps went with the run.
    const std::string images = Shell(
        "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
        "print(sum(1 for l in d.layouts for e in l if e.dxftype()=='IMAGE' or e.dxf.layer=='KV_Stamp'))\" " +
        Quoted(saved));
    EXPECT_EQ(images, "0\n");
}

}  // namespace
