#include "db/linetype_file.h"

#include <cstdio>
#include <cwctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "win/machine.h"
#include "win/win_codepage.h"
#include "win/win_files.h"

namespace platform {

namespace {

// A text of a complex linetype: ["TEXT",STYLE,S=scale,R=rotation,X=x,Y=y] after an element.
struct Linetype_Text {
    std::wstring text;
    std::wstring style;
    double scale = 1.0;
    double rotation = 0.0;  // radians
    bool absolute = false;  // A= rather than R=
    double x = 0.0, y = 0.0;
};

struct Linetype_Definition {
    std::wstring name;
    std::wstring description;
    std::vector<double> dashes;       // positive dash, negative gap, 0 dot
    std::vector<Linetype_Text> texts;  // one per dash (empty text: none)
    bool shapes = false;              // holds shapes, whose shape files are not read
};

// The host's patterns at their plain size in inches; each also comes at half size
// ("...2") and at double size ("...X2").
struct Base_Pattern {
    const wchar_t* name;
    const wchar_t* title;
    const wchar_t* art;
    std::vector<double> dashes;
};

const std::vector<Base_Pattern>& Base_Patterns()
{
    static const std::vector<Base_Pattern> patterns = {
        {L"DASHED", L"Dashed", L"___  ___  ___  ___  ___", {0.6, -0.3}},
        {L"HIDDEN", L"Hidden", L"__ __ __ __ __ __ __ __", {0.25, -0.125}},
        {L"CENTER", L"Center", L"_____ _ _____ _ _____", {1.2, -0.2, 0.2, -0.2}},
        {L"DASHDOT", L"Dash dot", L"___ . ___ . ___ . ___", {0.6, -0.2, 0.0, -0.2}},
        {L"PHANTOM", L"Phantom", L"_____ _ _ _____ _ _ _____", {1.2, -0.2, 0.25, -0.2, 0.25, -0.2}},
        {L"DOT", L"Dot", L". . . . . . . . . . . .", {0.0, -0.2}},
        {L"BORDER", L"Border", L"__ __ . __ __ . __ __ .", {0.5, -0.2, 0.5, -0.2, 0.0, -0.2}},
        {L"DIVIDE", L"Divide", L"___ . . ___ . . ___ . .", {0.5, -0.2, 0.0, -0.2, 0.0, -0.2}},
    };
    return patterns;
}

std::wstring Number_Text(double value)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.4g", value);
    return buffer;
}

// The text of one of the host's files; unit scales every length (1 inches, 25.4 mm).
std::string File_Text(double unit, const wchar_t* heading)
{
    std::wostringstream out;
    out << L";; " << heading << L"\n;; Linetype definitions of the host.\n\n";
    out << L"*Continuous,Solid line ________________________________________\nA,\n\n";
    struct Variant {
        const wchar_t* suffix;
        const wchar_t* note;
        double scale;
    };
    const Variant variants[] = {{L"", L"", 1.0}, {L"2", L" (.5x)", 0.5}, {L"X2", L" (2x)", 2.0}};
    for (const Base_Pattern& pattern : Base_Patterns()) {
        for (const Variant& v : variants) {
            out << L"*" << pattern.name << v.suffix << L"," << pattern.title << v.note << L" " << pattern.art
                << L"\nA";
            for (double dash : pattern.dashes)
                out << L"," << Number_Text(dash * v.scale * unit);
            out << L"\n";
        }
        out << L"\n";
    }
    std::wstring text = out.str();
    return std::string(text.begin(), text.end());  // ASCII only
}

std::wstring Trim(const std::wstring& text)
{
    size_t a = 0, b = text.size();
    while (a < b && std::iswspace(text[a]))
        ++a;
    while (b > a && std::iswspace(text[b - 1]))
        --b;
    return text.substr(a, b - a);
}

// The comma-separated fields of a pattern line, a bracketed text or shape being one field.
std::vector<std::wstring> Pattern_Fields(const std::wstring& line)
{
    std::vector<std::wstring> fields(1);
    bool bracket = false, quote = false;
    for (wchar_t c : line) {
        if (c == L'"') quote = !quote;
        if (!quote && c == L'[') bracket = true;
        if (!quote && c == L']') bracket = false;
        if (c == L',' && !bracket && !quote)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    for (std::wstring& f : fields) f = Trim(f);
    return fields;
}

// A text of a pattern: ["TEXT",STYLE,S=..,R=..|A=..,X=..,Y=..]; false for a shape
// [NAME,FILE.shx,...] or what cannot be read.
bool Read_Text(const std::wstring& field, Linetype_Text& out)
{
    const size_t end = field.rfind(L']');
    std::vector<std::wstring> parts = Pattern_Fields(field.substr(1, end == std::wstring::npos ? std::wstring::npos : end - 1));
    if (parts.size() < 2 || parts[0].size() < 2 || parts[0].front() != L'"' || parts[0].back() != L'"') return false;
    Linetype_Text text;
    text.text = parts[0].substr(1, parts[0].size() - 2);
    text.style = parts[1];
    constexpr double kDegree = 3.14159265358979323846 / 180.0;
    for (size_t i = 2; i < parts.size(); ++i) {
        const std::wstring& p = parts[i];
        if (p.size() < 3 || p[1] != L'=') continue;
        double value = 0.0;
        try {
            value = std::stod(p.substr(2));
        } catch (...) {
            return false;
        }
        switch (std::towupper(p[0])) {
            case L'S': text.scale = value; break;
            case L'R': case L'U': text.rotation = value * kDegree; break;
            case L'A': text.rotation = value * kDegree, text.absolute = true; break;
            case L'X': text.x = value; break;
            case L'Y': text.y = value; break;
            default: break;
        }
    }
    out = text;
    return true;
}

// Reads the definitions of a .lin text (the ANSI code page); lines it does not understand are
// skipped, and so are linetypes with shapes.
std::vector<Linetype_Definition> Parse(const std::string& bytes)
{
    std::vector<Linetype_Definition> found;
    std::istringstream in(bytes);
    std::string raw;
    Linetype_Definition* open = nullptr;
    while (std::getline(in, raw)) {
        std::wstring line = Trim(From_Ansi(raw));
        if (line.empty() || line[0] == L';')
            continue;
        if (line[0] == L'*') {
            size_t comma = line.find(L',');
            Linetype_Definition def;
            def.name = Trim(line.substr(1, comma == std::wstring::npos ? std::wstring::npos : comma - 1));
            if (comma != std::wstring::npos)
                def.description = Trim(line.substr(comma + 1));
            found.push_back(def);
            open = def.name.empty() ? nullptr : &found.back();
            continue;
        }
        if (open == nullptr || (line[0] != L'A' && line[0] != L'a'))
            continue;
        for (const std::wstring& field : Pattern_Fields(line.substr(1))) {
            if (field.empty())
                continue;
            if (field[0] == L'[') {
                if (!open->dashes.empty() && !Read_Text(field, open->texts.back())) open->shapes = true;
                continue;
            }
            try {
                open->dashes.push_back(std::stod(field));
                open->texts.emplace_back();
            } catch (...) {
                break;
            }
        }
        open = nullptr;
    }
    std::vector<Linetype_Definition> complete;
    for (const Linetype_Definition& def : found)
        if (!def.name.empty() && !def.shapes)
            complete.push_back(def);
    return complete;
}

ZcDbObjectId Text_Style_Id(ZcDbDatabase* db, const std::wstring& name)
{
    ZcDbObjectId id;
    ZcDbTextStyleTable* table = nullptr;
    if (db->getTextStyleTable(table, ZcDb::kForRead) != Zcad::eOk)
        return id;
    table->getAt(name.c_str(), id);
    table->close();
    return id;
}

bool Has_Folder(const std::wstring& name)
{
    return name.find_first_of(L"\\/:") != std::wstring::npos;
}

bool Read_File(const std::wstring& windowsPath, std::string& bytes, Zcad::ErrorStatus& status)
{
    std::filesystem::path host = To_Host_Path(windowsPath);
    std::error_code ec;
    if (host.empty() || !std::filesystem::is_regular_file(host, ec)) {
        status = Zcad::eFileNotFound;
        return false;
    }
    std::ifstream in(host, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    if (!in.good() && !in.eof()) {
        status = Zcad::eFileAccessErr;
        return false;
    }
    bytes = all.str();
    return true;
}

}  // namespace

bool Install_Host_Linetype_Files()
{
    const bool iso = Install_Support_File(L"acadiso.lin", [] { return File_Text(25.4, L"acadiso.lin: lengths in millimetres"); });
    return Install_Support_File(L"acad.lin", [] { return File_Text(1.0, L"acad.lin: lengths in inches"); }) && iso;
}

}  // namespace platform

Zcad::ErrorStatus zcdbLoadLineTypeFile(ZcDbDatabase* pDb, const wchar_t* ltName, const wchar_t* fileName)
{
    using namespace platform;
    if (pDb == nullptr)
        return Zcad::eNoDatabase;
    if (ltName == nullptr || *ltName == 0 || fileName == nullptr || *fileName == 0)
        return Zcad::eInvalidInput;
    std::wstring path = fileName;
    if (!Has_Folder(path)) {
        Install_Host_Linetype_Files();
        path = Host_Support_Folder() + L"\\" + path;
    }
    std::string bytes;
    Zcad::ErrorStatus status = Zcad::eOk;
    if (!Read_File(path, bytes, status))
        return status;

    ZcDbLinetypeTable* table = nullptr;
    status = pDb->getLinetypeTable(table, ZcDb::kForWrite);
    if (status != Zcad::eOk)
        return status;
    bool matched = false;
    bool added = false;
    for (const Linetype_Definition& def : Parse(bytes)) {
        if (!Wildcard_Match(ltName, def.name))
            continue;
        matched = true;
        if (table->has(def.name.c_str()))
            continue;
        auto* record = new ZcDbLinetypeTableRecord();
        record->setName(def.name.c_str());
        record->setComments(def.description.c_str());
        record->setNumDashes(static_cast<int>(def.dashes.size()));
        double length = 0;
        for (size_t i = 0; i < def.dashes.size(); ++i) {
            const int index = static_cast<int>(i);
            record->setDashLengthAt(index, def.dashes[i]);
            length += def.dashes[i] < 0 ? -def.dashes[i] : def.dashes[i];
            const Linetype_Text& text = def.texts[i];
            if (text.text.empty())
                continue;
            record->setTextAt(index, text.text.c_str());
            record->setShapeStyleAt(index, Text_Style_Id(pDb, text.style));
            record->setShapeScaleAt(index, text.scale);
            record->setShapeRotationAt(index, text.rotation);
            record->setShapeIsUcsOrientedAt(index, text.absolute);
            record->setShapeOffsetAt(index, ZcGeVector2d(text.x, text.y));
        }
        record->setPatternLength(length);
        if (table->add(record) == Zcad::eOk) {
            record->close();
            added = true;
        } else {
            delete record;
        }
    }
    table->close();
    if (added)
        return Zcad::eOk;
    return matched ? Zcad::eDuplicateRecordName : Zcad::eKeyNotFound;
}
