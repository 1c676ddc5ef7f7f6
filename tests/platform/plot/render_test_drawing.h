// A small drawing built in-process for the plot engine's tests, a recording output device,
// and helpers that run the independent checking tools.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "db/dbents.h"
#include "db/dbhatch.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "plot/plot_job.h"
#include "plot/render/plot_device.h"
#include "db_test_support.h"

namespace render_test {

class Drawing : public Test_Drawing {
public:
    ZcDbObjectId line(double x0, double y0, double x1, double y1, ZcDbObjectId block = ZcDbObjectId::kNull,
                      int color = 256)
    {
        ZcDbObjectId id = add(new ZcDbLine(ZcGePoint3d(x0, y0, 0), ZcGePoint3d(x1, y1, 0)), block);
        // After the append, which gives an entity without a layer the drawing's defaults.
        ZcDbObjectPointer<ZcDbEntity>(id, ZcDb::kForWrite)->setColorIndex(uint16_t(color));
        return id;
    }

    ZcDbObjectId text(double x, double y, double height, const wchar_t* s, ZcDbObjectId block = ZcDbObjectId::kNull)
    {
        return add(new ZcDbText(ZcGePoint3d(x, y, 0), s, ZcDbObjectId::kNull, height), block);
    }

    // A solid hatch: the outer square with a square hole.
    ZcDbObjectId hatch(double x0, double y0, double size, double hole)
    {
        auto* h = new ZcDbHatch();
        h->setPattern(ZcDbHatch::kPreDefined, L"SOLID");
        auto square = [](double x, double y, double s) {
            ZcGePoint2dArray pts;
            pts.append(ZcGePoint2d(x, y));
            pts.append(ZcGePoint2d(x + s, y));
            pts.append(ZcGePoint2d(x + s, y + s));
            pts.append(ZcGePoint2d(x, y + s));
            return pts;
        };
        ZcGeDoubleArray bulges;
        for (int i = 0; i < 4; ++i) bulges.append(0.0);
        h->appendLoop(ZcDbHatch::kExternal, square(x0, y0, size), bulges);
        const double off = (size - hole) / 2.0;
        h->appendLoop(ZcDbHatch::kDefault, square(x0 + off, y0 + off, hole), bulges);
        return add(h);
    }

    ZcDbObjectId layer(const wchar_t* name, int color = 7)
    {
        ZcDbObjectId id = addLayer(name);
        ZcCmColor c;
        c.setColorIndex(int16_t(color));
        ZcDbObjectPointer<ZcDbLayerTableRecord>(id, ZcDb::kForWrite)->setColor(c);
        return id;
    }

    ZcDbObjectId block(const wchar_t* name) { return addBlock(name); }
};

// What the renderer handed to the device.
class Recording_Device : public platform::Plot_Device {
public:
    struct Stroke {
        platform::Plot_Pen pen;
        std::vector<platform::Paper_Point> points;
    };
    struct Fill {
        platform::Plot_Pen pen;
        std::vector<platform::Paper_Ring> rings;
    };
    struct Text {
        platform::Plot_Pen pen;
        platform::Plot_Text text;
    };
    bool begin_page(double w, double h, uint32_t) override
    {
        width = w, height = h;
        return true;
    }
    void set_pen(const platform::Plot_Pen& p) override { pen = p; }
    void polyline(const platform::Paper_Point* pts, size_t n) override { strokes.push_back({pen, {pts, pts + n}}); }
    void fill(const std::vector<platform::Paper_Ring>& rings) override { fills.push_back({pen, rings}); }
    void text(const platform::Plot_Text& t) override { texts.push_back({pen, t}); }
    void image(const platform::Plot_Image& i) override
    {
        ++images;
        last_image = i;
    }
    void push_clip(const platform::Paper_Ring& r, bool inverted) override
    {
        clips.push_back(r);
        clip_inverted.push_back(inverted);
        inverted_clips += inverted;
        ++depth;
    }
    void pop_clip() override { --depth; }
    bool finish(std::wstring&) override { return true; }
    std::vector<std::wstring> files() const override { return {}; }

    double width = 0, height = 0;
    platform::Plot_Pen pen;
    std::vector<Stroke> strokes;
    std::vector<Fill> fills;
    std::vector<Text> texts;
    std::vector<platform::Paper_Ring> clips;
    std::vector<bool> clip_inverted;  // one per clip
    int images = 0, depth = 0, inverted_clips = 0;
    platform::Plot_Image last_image;
};

// A fresh folder for a test's output files.
// A landscape A4 with the window (0,0)-(297,210) fitted: page millimetres are drawing units.
inline platform::PlotJob A4_Landscape_Job(ZcDbDatabase* db)
{
    platform::PlotJob job;
    job.database = db;
    job.paper.width_mm = 210, job.paper.height_mm = 297;
    job.landscape = true;
    job.window_min = {0, 0};
    job.window_max = {297, 210};
    return job;
}

inline std::filesystem::path Output_Folder(const std::string& name)
{
    auto dir = std::filesystem::temp_directory_path() / ("korvel_render_" + std::to_string(getpid()) + "_" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// Runs a command; its standard output, and its exit status in status.
inline std::string Run_Command(const std::string& command, int* status = nullptr)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (p == nullptr) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int rc = pclose(p);
    if (status) *status = rc;
    return out;
}

inline std::string Read_File(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline std::string Quote(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace render_test
