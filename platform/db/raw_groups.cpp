#include "db/raw_groups.h"

#include <cstring>

ZcDbPackedRawGroups::Group ZcDbPackedRawGroups::const_iterator::operator*() const
{
    Group g;
    uint32_t size = 0;
    std::memcpy(&g.code, mAt, sizeof g.code);
    std::memcpy(&size, mAt + sizeof g.code, sizeof size);
    g.value = std::string_view(mAt + sizeof g.code + sizeof size, size);
    return g;
}

ZcDbPackedRawGroups::const_iterator& ZcDbPackedRawGroups::const_iterator::operator++()
{
    uint32_t size = 0;
    std::memcpy(&size, mAt + sizeof(int16_t), sizeof size);
    mAt += sizeof(int16_t) + sizeof size + size;
    return *this;
}

void ZcDbPackedRawGroups::push_back(int16_t code, std::string_view value)
{
    const uint32_t size = uint32_t(value.size());
    const size_t at = mBytes.size();
    mBytes.resize(at + sizeof code + sizeof size + value.size());
    std::memcpy(mBytes.data() + at, &code, sizeof code);
    std::memcpy(mBytes.data() + at + sizeof code, &size, sizeof size);
    std::memcpy(mBytes.data() + at + sizeof code + sizeof size, value.data(), value.size());
}

namespace platform {

void Bytes_Out(ZcDbDwgFiler* filer, const std::string& bytes)
{
    filer->writeUInt64(bytes.size());
    if (!bytes.empty()) filer->writeBytes(bytes.data(), bytes.size());
}

Zcad::ErrorStatus Bytes_In(ZcDbDwgFiler* filer, std::string& bytes)
{
    uint64_t size = 0;
    Zcad::ErrorStatus es = filer->readUInt64(&size);
    if (es != Zcad::eOk) return es;
    bytes.assign(size_t(size), '\0');
    return size ? filer->readBytes(bytes.data(), size_t(size)) : Zcad::eOk;
}

void Raw_Groups_Out(ZcDbDwgFiler* filer, const std::vector<ZcDbRawGroup>& groups)
{
    filer->writeUInt64(groups.size());
    for (const ZcDbRawGroup& g : groups) {
        filer->writeInt16(g.code);
        Bytes_Out(filer, g.value);
    }
}

Zcad::ErrorStatus Raw_Groups_In(ZcDbDwgFiler* filer, std::vector<ZcDbRawGroup>& groups)
{
    uint64_t count = 0;
    Zcad::ErrorStatus es = filer->readUInt64(&count);
    groups.clear();
    for (uint64_t i = 0; es == Zcad::eOk && i < count; ++i) {
        ZcDbRawGroup g;
        es = filer->readInt16(&g.code);
        if (es == Zcad::eOk) es = Bytes_In(filer, g.value);
        groups.push_back(std::move(g));
    }
    return es;
}

}  // namespace platform
