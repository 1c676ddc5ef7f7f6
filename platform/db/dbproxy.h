// Objects and entities of classes the platform does not have when a drawing is read: kept with
// their class names and their data exactly as the file held them, so they are written back
// unchanged; a proxy entity also keeps the graphics its class left for other programs.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "db/dbentity.h"

// One group of a record as the file held it: the code and its value text (UTF-8).
struct ZcDbRawGroup {
    int16_t code = 0;
    std::string value;
};

// Groups kept in one buffer, each a code, a length and the value's bytes: a record kept whole
// (a hatch's dozens of groups) costs little more than its text.
class ZcDbPackedRawGroups {
public:
    struct Group {
        int16_t code = 0;
        std::string_view value;
    };
    class const_iterator {
    public:
        explicit const_iterator(const char* at) : mAt(at) {}
        Group operator*() const;
        const_iterator& operator++();
        bool operator!=(const const_iterator& other) const { return mAt != other.mAt; }
        bool operator==(const const_iterator& other) const { return mAt == other.mAt; }

    private:
        const char* mAt;
    };

    ZcDbPackedRawGroups() = default;
    ZcDbPackedRawGroups(std::initializer_list<ZcDbRawGroup> groups)
    {
        for (const ZcDbRawGroup& g : groups) push_back(g.code, g.value);
    }

    void push_back(int16_t code, std::string_view value);
    bool empty() const { return mBytes.empty(); }
    void clear() { mBytes.clear(), mBytes.shrink_to_fit(); }
    const_iterator begin() const { return const_iterator(mBytes.data()); }
    const_iterator end() const { return const_iterator(mBytes.data() + mBytes.size()); }
    // The buffer as it is kept (for filing) and back.
    const std::string& bytes() const { return mBytes; }
    void setBytes(std::string bytes) { mBytes = std::move(bytes); }

private:
    std::string mBytes;
};

// One primitive of proxy graphics, in world coordinates.
struct ZcDbProxyPrimitive {
    enum class Kind : uint8_t { Polyline, Polygon, Circle, Arc, Text };
    Kind kind = Kind::Polyline;
    std::vector<ZcGePoint3d> points;        // Polyline / Polygon
    ZcGePoint3d center;                     // Circle / Arc
    double radius = 0.0;
    ZcGeVector3d normal{0.0, 0.0, 1.0};
    ZcGeVector3d startVector{1.0, 0.0, 0.0};  // Arc: from the centre towards its start
    double sweep = 0.0;                     // Arc: radians around the normal
    ZcGePoint3d position;                   // Text: left end of the baseline
    ZcGeVector3d direction{1.0, 0.0, 0.0};  // Text: baseline direction
    std::wstring text;
    double height = 0.0;
    double widthFactor = 1.0;
    double oblique = 0.0;
    int16_t colorIndex = 256;  // 256 ByLayer, 0 ByBlock
    int32_t trueColor = -1;    // 0xRRGGBB, -1 none
    bool filled = false;       // Polygon: an area, not an outline
};

// What an unknown class is: the name its record has in the file, its class names.
struct ZcDbProxyClassInfo {
    std::wstring recordName;  // "ACAD_PROXY_ENTITY", "TCH_MTEXT", "RAY", ...
    std::wstring dxfName;     // the class's DXF name ("TCH_TEXT"); recordName for named records
    std::wstring className;   // C++ class name from the CLASSES section ("" when unknown)
    std::wstring appName;     // application description from the CLASSES section
};

class ZcDbProxyEntity : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbProxyEntity);
    ZcDbProxyEntity() = default;

    enum GraphicsMetafileType { kNoMetafile = 0, kBoundingBox = 1, kFullGraphics = 2 };
    GraphicsMetafileType graphicsMetafileType() const;
    const wchar_t* originalClassName() const { return mInfo.className.c_str(); }
    const wchar_t* originalDxfName() const { return mInfo.dxfName.c_str(); }
    const wchar_t* applicationDescription() const { return mInfo.appName.c_str(); }

    const ZcDbProxyClassInfo& classInfo() const { return mInfo; }
    void setClassInfo(const ZcDbProxyClassInfo& info);
    // The record's own groups (after the common entity data), written back as they are.
    const std::vector<ZcDbRawGroup>& rawGroups() const { return mGroups; }
    void setRawGroups(std::vector<ZcDbRawGroup> groups);
    void appendRawGroups(const std::vector<ZcDbRawGroup>& groups);
    // Proxy graphics: the bytes as filed and their decoded primitives.
    const std::string& graphicsData() const { return mGraphicsData; }
    const std::vector<ZcDbProxyPrimitive>& graphics() const { return mGraphics; }
    void setGraphics(std::string data, std::vector<ZcDbProxyPrimitive> primitives);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    // The primitives as lines, polylines, circles, arcs and texts.
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const override;

private:
    ZcDbProxyClassInfo mInfo;
    std::vector<ZcDbRawGroup> mGroups;
    std::string mGraphicsData;
    std::vector<ZcDbProxyPrimitive> mGraphics;
};

class ZcDbProxyObject : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbProxyObject);
    ZcDbProxyObject() = default;

    const wchar_t* originalClassName() const { return mInfo.className.c_str(); }
    const wchar_t* originalDxfName() const { return mInfo.dxfName.c_str(); }
    const wchar_t* applicationDescription() const { return mInfo.appName.c_str(); }

    const ZcDbProxyClassInfo& classInfo() const { return mInfo; }
    void setClassInfo(const ZcDbProxyClassInfo& info);
    // The record's groups after its handle, owner and application groups.
    const std::vector<ZcDbRawGroup>& rawGroups() const { return mGroups; }
    void setRawGroups(std::vector<ZcDbRawGroup> groups);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    ZcDbProxyClassInfo mInfo;
    std::vector<ZcDbRawGroup> mGroups;
};
