// Checks the handles of a DXF text as another program would rely on them: every handle a
// record defines is defined once, every handle a record refers to (owners, pointers, owned
// objects, reactors, plot styles) names a record of the file, and every LAYOUT and its block
// record name each other. Extended data (from 1001 on) and arbitrary handles (320-329) are
// not checked. Independent of the platform's reader: a plain reading of the group pairs.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace korvel_test {

namespace dxf_handle_check_detail {

struct Group {
    int code = 0;
    std::string_view value;
    size_t line = 0;
};

inline std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// 0 for "0", an empty or an unreadable value.
inline uint64_t Handle_Value(std::string_view text)
{
    uint64_t value = 0;
    text = Trim(text);
    if (text.empty() || text.size() > 16) return 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return 0;
        value = value * 16 + uint64_t(digit);
    }
    return value;
}

inline bool Is_Reference(int code) { return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481; }

inline std::vector<Group> Groups(std::string_view text)
{
    std::vector<Group> groups;
    size_t at = 0, line = 1;
    auto next_line = [&](std::string_view& out) {
        if (at >= text.size()) return false;
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        out = text.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string_view code, value;
    while (next_line(code) && next_line(value)) {
        Group g;
        const std::string_view c = Trim(code);
        for (char ch : c) g.code = ch >= '0' && ch <= '9' ? g.code * 10 + (ch - '0') : g.code;
        if (!c.empty() && c.front() == '-') g.code = -g.code;
        g.value = Trim(value);
        g.line = line;
        groups.push_back(g);
        line += 2;
    }
    return groups;
}

inline std::string Hex(uint64_t value)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 15]);
        value >>= 4;
    } while (value != 0);
    return text;
}

}  // namespace dxf_handle_check_detail

// One line per fault, in file order; empty when the handles are sound.
inline std::vector<std::string> Dxf_Handle_Problems(std::string_view text)
{
    using namespace dxf_handle_check_detail;
    struct Reference {
        std::string record;
        uint64_t owner_handle;
        int code;
        uint64_t target;
        size_t line;
    };
    struct Record {
        std::string type;
        uint64_t handle = 0;
        size_t line = 0;
        uint64_t layout_block = 0;  // LAYOUT: its block record (330 of AcDbLayout)
        uint64_t block_layout = 0;  // BLOCK_RECORD: its layout (340)
    };
    std::vector<std::string> problems;
    std::map<uint64_t, Record> defined;
    std::vector<Reference> references;
    std::vector<Record> layouts;
    std::string section;
    Record current;
    bool in_xdata = false, in_layout_subclass = false;
    auto finish = [&] {
        if (current.type == "LAYOUT") layouts.push_back(current);
        if (current.handle == 0) return;
        auto [it, added] = defined.emplace(current.handle, current);
        if (!added)
            problems.push_back("line " + std::to_string(current.line) + ": " + current.type + " defines handle " +
                               Hex(current.handle) + ", which " + it->second.type + " at line " +
                               std::to_string(it->second.line) + " defines already");
        else if (current.type == "BLOCK_RECORD")
            it->second.block_layout = current.block_layout;
    };
    for (const Group& g : Groups(text)) {
        if (g.code == 0) {
            finish();
            current = Record{std::string(g.value), 0, g.line};
            in_xdata = in_layout_subclass = false;
            if (g.value == "SECTION" || g.value == "ENDSEC") section.clear();
            continue;
        }
        if (current.type == "SECTION" && g.code == 2) section = std::string(g.value);
        if (section == "HEADER" || section == "CLASSES" || section.empty()) continue;
        if (g.code >= 1000) in_xdata = true;
        if (in_xdata) continue;
        if (g.code == 100) in_layout_subclass = g.value == "AcDbLayout";
        const bool defining = current.type == "DIMSTYLE" ? g.code == 105 : g.code == 5;
        if (defining && current.handle == 0) {
            current.handle = Handle_Value(g.value);
            continue;
        }
        if (!Is_Reference(g.code)) continue;
        const uint64_t target = Handle_Value(g.value);
        if (current.type == "LAYOUT" && in_layout_subclass && g.code == 330) current.layout_block = target;
        if (current.type == "BLOCK_RECORD" && g.code == 340) current.block_layout = target;
        if (target != 0) references.push_back({current.type, current.handle, g.code, target, g.line});
    }
    finish();
    for (const Reference& r : references)
        if (!defined.count(r.target))
            problems.push_back("line " + std::to_string(r.line) + ": " + r.record + " " + Hex(r.owner_handle) + " group " +
                               std::to_string(r.code) + " names handle " + Hex(r.target) + ", which no record defines");
    std::map<uint64_t, uint64_t> layout_of_block;
    for (const Record& layout : layouts) {
        const std::string name = "line " + std::to_string(layout.line) + ": LAYOUT " + Hex(layout.handle);
        const auto block = defined.find(layout.layout_block);
        if (block == defined.end() || block->second.type != "BLOCK_RECORD") {
            problems.push_back(name + " names no block record (" + Hex(layout.layout_block) + ")");
            continue;
        }
        if (block->second.block_layout != layout.handle)
            problems.push_back(name + " names block record " + Hex(layout.layout_block) + ", which names layout " +
                               Hex(block->second.block_layout));
        auto [it, added] = layout_of_block.emplace(layout.layout_block, layout.handle);
        if (!added)
            problems.push_back(name + " shares block record " + Hex(layout.layout_block) + " with LAYOUT " + Hex(it->second));
    }
    return problems;
}

}  // namespace korvel_test
