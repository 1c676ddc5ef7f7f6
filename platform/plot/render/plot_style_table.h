// Colour-dependent plot-style tables (".ctb"): for each colour index 1..255 the output colour,
// lineweight and screening.
//
// The file is UTF-8 text, one entry a line:
//   KORVEL-CTB 1                       first line: format and version
//   description=<text>                 optional
//   <index> <colour> <lineweight> <screening>
// <index> is 1..255 or "*" (every index; later lines override it). <colour> is "object" (the
// entity's own colour) or "#RRGGBB". <lineweight> is "object" or millimetres ("0.35").
// <screening> is 0..100 percent of the colour's ink (100 = full colour). Blank lines and lines
// starting with "#" are ignored.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace platform {

struct Plot_Style {
    bool use_object_color = true;
    uint32_t rgb = 0x000000;
    bool use_object_lineweight = true;
    double lineweight_mm = 0.0;
    int screening = 100;
};

class Plot_Style_Table {
public:
    // Every index plots as the object is.
    Plot_Style_Table() = default;

    // Reads a table file; false with a message naming the file and line on failure.
    bool load(const std::wstring& path, std::wstring& error);
    bool parse(const std::string& text, std::wstring& error);

    const std::wstring& description() const { return mDescription; }
    // Style of a colour index; indices outside 1..255 get the object's own properties.
    const Plot_Style& style(int colorIndex) const;
    void set_style(int colorIndex, const Plot_Style& style);

    // The colour a style gives: its own or the object's, then screened towards white.
    static uint32_t Output_Color(const Plot_Style& style, uint32_t objectRgb);

private:
    std::wstring mDescription;
    std::array<Plot_Style, 256> mStyles{};
    Plot_Style mObjectStyle;
};

}  // namespace platform
