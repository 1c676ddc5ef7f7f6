#include <memory>
#include "script/utf8.h"
#include "dxf/dxf_read_proxy.h"

#include "db/dbproxy.h"
#include "dxf/dxf_group_codes.h"
#include "dxf/proxy_graphics.h"

namespace platform {

namespace {

bool Is_Common_Entity_Code(int code) {
  switch (code) {
    case 5: case 6: case 8: case 48: case 60: case 62: case 67: case 330: case 370: case 420:
    case 430: case 440:
      return true;
    default:
      return false;
  }
}

ZcDbRawGroup Raw(DxfReadContext& ctx, const DxfGroup& g) {
  ZcDbRawGroup raw;
  raw.code = static_cast<int16_t>(g.code);
  if (Dxf_Value_Kind(g.code) == DxfValueKind::String) {
    bool ascii = true;
    for (char c : g.value) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    raw.value = ascii ? std::string(g.value) : To_Utf8(ctx.wide(g.value));
  } else {
    raw.value = std::string(g.trimmed());
  }
  return raw;
}

std::string Hex_Bytes(std::string_view hex) {
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(c | 0x20);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : 0;
  };
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1]));
  return bytes;
}

// The binary chunks (310) right after the size group (92 before R2010, 160 after).
std::string Graphics_In(DxfSpan span) {
  std::string bytes;
  for (const DxfGroup* g = span.begin(); g != span.end(); ++g) {
    if (g->code != 92 && g->code != 160) continue;
    for (const DxfGroup* chunk = g + 1; chunk != span.end() && chunk->code == 310; ++chunk)
      bytes += Hex_Bytes(chunk->trimmed());
    break;
  }
  return bytes;
}

ZcDbProxyClassInfo Class_Info(DxfReadContext& ctx, const DxfRecord& record, const DxfClassInfo* cls) {
  ZcDbProxyClassInfo info;
  info.recordName = ctx.wide(record.type);
  info.dxfName = cls ? cls->dxf_name : info.recordName;
  if (cls) {
    info.className = cls->cpp_name;
    info.appName = cls->app_name;
  }
  return info;
}

}  // namespace

namespace {

void Put(std::vector<ZcDbRawGroup>& out, ZcDbRawGroup g) { out.push_back(std::move(g)); }
void Put(ZcDbPackedRawGroups& out, const ZcDbRawGroup& g) { out.push_back(g.code, g.value); }

template <typename Groups>
Groups Entity_Data(DxfReadContext& ctx, const DxfRecord& record) {
  Groups raw;
  const DxfGroup* first = record.groups.data();
  const DxfGroup* end = first + record.data_end;
  if (record.has_subclass_markers()) {
    // The record's own data starts at the first subclass after AcDbEntity.
    const DxfGroup* start = end;
    bool seen_entity = false;
    for (const DxfGroup* g = first; g != end; ++g) {
      if (g->code != 100) continue;
      if (g->trimmed() == "AcDbEntity" && !seen_entity) {
        seen_entity = true;
        continue;
      }
      start = g;
      break;
    }
    for (const DxfGroup* g = start; g != end; ++g) Put(raw, Raw(ctx, *g));
  } else {
    for (const DxfGroup* g = first; g != end; ++g)
      if (!Is_Common_Entity_Code(g->code)) Put(raw, Raw(ctx, *g));
  }
  return raw;
}

}  // namespace

std::vector<ZcDbRawGroup> Raw_Entity_Data(DxfReadContext& ctx, const DxfRecord& record) {
  return Entity_Data<std::vector<ZcDbRawGroup>>(ctx, record);
}

ZcDbPackedRawGroups Packed_Entity_Data(DxfReadContext& ctx, const DxfRecord& record) {
  return Entity_Data<ZcDbPackedRawGroups>(ctx, record);
}

ZcDbProxyEntity* Read_Proxy_Entity(DxfReadContext& ctx, const DxfRecord& record) {
  auto proxy = std::make_unique<ZcDbProxyEntity>();
  const bool is_proxy_record = record.type == "ACAD_PROXY_ENTITY";
  const DxfClassInfo* cls = nullptr;
  std::string graphics;
  if (is_proxy_record) {
    DxfSpan data = record.subclass("AcDbProxyEntity");
    cls = ctx.class_by_number(data.integer(91, 0));
    graphics = Graphics_In(data);
  } else {
    cls = ctx.class_named(ctx.wide(record.type));
    graphics = Graphics_In(record.subclass("AcDbEntity"));
  }
  std::vector<ZcDbRawGroup> raw = Raw_Entity_Data(ctx, record);
  proxy->setClassInfo(Class_Info(ctx, record, cls));
  proxy->setRawGroups(std::move(raw));
  if (!graphics.empty()) {
    std::string error;
    ProxyGraphics decoded = Decode_Proxy_Graphics(graphics, &ctx.text(), &error);
    if (!error.empty()) ctx.warn(std::string(record.type) + ": damaged proxy graphics (" + error + ")");
    proxy->setGraphics(std::move(graphics), std::move(decoded.primitives));
  }
  return proxy.release();
}

void Append_Raw_Record(DxfReadContext& ctx, ZcDbProxyEntity* proxy, const DxfRecord& record) {
  std::vector<ZcDbRawGroup> raw;
  raw.push_back({0, std::string(record.type)});
  raw.push_back({5, "0"});
  for (const DxfGroup& g : record.groups)
    if (g.code != 5) raw.push_back(Raw(ctx, g));
  proxy->appendRawGroups(raw);
}

ZcDbProxyObject* Read_Proxy_Object(DxfReadContext& ctx, const DxfRecord& record) {
  auto proxy = std::make_unique<ZcDbProxyObject>();
  std::vector<ZcDbRawGroup> raw;
  bool owner_seen = false;
  bool in_subclasses = false;
  for (const DxfGroup* g = record.groups.data(); g != record.groups.data() + record.data_end; ++g) {
    if (g->code == 100) in_subclasses = true;
    if (!in_subclasses && (g->code == 5 || (g->code == 330 && !owner_seen))) {
      owner_seen = owner_seen || g->code == 330;
      continue;
    }
    raw.push_back(Raw(ctx, *g));
  }
  proxy->setClassInfo(Class_Info(ctx, record, ctx.class_named(ctx.wide(record.type))));
  proxy->setRawGroups(std::move(raw));
  return proxy.release();
}

}  // namespace platform
