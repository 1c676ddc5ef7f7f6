#include <filesystem>
#include "dxf/dxf_reader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cwctype>
#include <mutex>

#include "db/db_loader.h"
#include "db/dbdict.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_enums.h"
#include "dxf/dxf_read_context.h"
#include "dxf/dxf_read_entities.h"
#include "dxf/dxf_read_objects.h"
#include "dxf/dxf_read_tables.h"
#include "dxf/dxf_text_codec.h"
#include "win/win_files.h"

namespace platform {

namespace {

std::mutex gReportLock;
DxfReadReport gLastReport;

void Set_Last_Report(const DxfReadReport& report) {
  std::lock_guard<std::mutex> guard(gReportLock);
  gLastReport = report;
}

// The file's bytes, mapped read-only (an empty file maps to nothing).
class MappedFile {
 public:
  explicit MappedFile(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return;
    struct stat st;
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return;
    size_ = static_cast<size_t>(st.st_size);
    ok_ = true;
    if (size_ == 0) return;
    void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
    if (p == MAP_FAILED) {
      ok_ = false;
      return;
    }
    data_ = static_cast<const char*>(p);
    ::madvise(p, size_, MADV_SEQUENTIAL);
  }
  ~MappedFile() {
    if (data_) ::munmap(const_cast<char*>(data_), size_);
    if (fd_ >= 0) ::close(fd_);
  }
  bool ok() const { return ok_; }
  std::string_view view() const { return {data_ ? data_ : "", size_}; }

 private:
  int fd_ = -1;
  const char* data_ = nullptr;
  size_t size_ = 0;
  bool ok_ = false;
};

ZcGePoint3d Point3d(DxfSpan s, int code) { return ZcGePoint3d(s.real(code), s.real(code + 10), s.real(code + 20)); }

// Header variables: "9 $NAME" then the value groups.
class HeaderReader {
 public:
  HeaderReader(DxfReadContext& ctx, const DxfRecord& section) : ctx_(ctx), section_(section) {}

  void read() {
    // The version and code page decide how every other text is read.
    for_each([&](std::string_view name, DxfSpan v) {
      if (name == "$ACADVER") ctx_.set_version(v.str(1));
    });
    for_each([&](std::string_view name, DxfSpan v) {
      if (name == "$DWGCODEPAGE") {
        ctx_.text().set_code_page(v.str(3));
        ctx_.db()->setDwgcodepage(ctx_.wide(v.str(3)).c_str());
      }
    });
    ZcDbDatabase* db = ctx_.db();
    for_each([&](std::string_view name, DxfSpan v) {
      if (v.empty()) return;
      const DxfGroup& g = *v.begin();
      if (name == "$INSUNITS") db->setInsunits(Dxf_Units(g, ZcDb::kUnitsUndefined));
      else if (name == "$LTSCALE") db->setLtscale(g.to_double());
      else if (name == "$CELTSCALE") db->setCeltscale(g.to_double());
      else if (name == "$PSLTSCALE") db->setPsltscale(g.to_int() != 0);
      else if (name == "$TEXTSIZE") db->setTextsize(g.to_double());
      else if (name == "$PDMODE") db->setPdmode(static_cast<int16_t>(g.to_int()));
      else if (name == "$PDSIZE") db->setPdsize(g.to_double());
      else if (name == "$LWDISPLAY") db->setLineWeightDisplay(g.to_int() != 0);
      else if (name == "$MEASUREMENT") db->setMeasurement(static_cast<ZcDb::MeasurementValue>(g.to_int() != 0));
      else if (name == "$TILEMODE") db->setTilemode(g.to_int() != 0);
      else if (name == "$CELWEIGHT") db->setCelweight(Dxf_Line_Weight(g, ZcDb::kLnWtByLayer));
      else if (name == "$EXTMIN") db->setExtmin(Point3d(v, 10));
      else if (name == "$EXTMAX") db->setExtmax(Point3d(v, 10));
      else if (name == "$PEXTMIN") db->setPextmin(Point3d(v, 10));
      else if (name == "$PEXTMAX") db->setPextmax(Point3d(v, 10));
      else if (name == "$LIMMIN") db->setLimmin(ZcGePoint2d(v.real(10), v.real(20)));
      else if (name == "$LIMMAX") db->setLimmax(ZcGePoint2d(v.real(10), v.real(20)));
      else if (name == "$INSBASE") db->setInsbase(Point3d(v, 10));
      else if (name == "$HANDSEED") handseed = g.trimmed().empty() ? 0 : g.to_handle();
      else if (name == "$CECOLOR") {
        ZcCmColor color;
        color.setColorIndex(static_cast<int16_t>(g.to_int()));
        if (const DxfGroup* rgb = v.find(420)) {
          const int32_t c = rgb->to_int();
          color.setRGB(static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c));
        }
        db->setCecolor(color);
      } else if (name == "$CLAYER" || name == "$TEXTSTYLE" || name == "$CELTYPE") {
        ctx_.deferred_header[std::string(name)] = std::string(g.value);
      }
    });
  }

  uint64_t handseed = 0;

 private:
  template <typename F>
  void for_each(F&& f) {
    const DxfGroup* begin = section_.groups.data();
    const DxfGroup* end = begin + section_.groups.size();
    for (const DxfGroup* g = begin; g != end; ++g) {
      if (g->code != 9) continue;
      const DxfGroup* v = g + 1;
      while (v != end && v->code != 9) ++v;
      f(g->trimmed(), DxfSpan(g + 1, v));
      g = v - 1;
    }
  }

  DxfReadContext& ctx_;
  const DxfRecord& section_;
};

void Read_Classes(DxfReadContext& ctx, const DxfRecord& record) {
  if (record.type != "CLASS") return;
  DxfSpan s = record.all();
  DxfClassInfo info;
  info.dxf_name = ctx.wide(s.str(1));
  info.cpp_name = ctx.wide(s.str(2));
  info.app_name = ctx.wide(s.str(3));
  info.is_entity = s.integer(281, 0) != 0;
  ctx.classes().push_back(std::move(info));
}

// The block definition of a BLOCK record: its block record (by owner handle or name), made
// when the file has none (R12).
ZcDbObjectId Begin_Block(DxfReadContext& ctx, const DxfRecord& record) {
  DxfSpan s = record.subclass("AcDbBlockBegin");
  if (s.empty()) s = record.all();
  std::wstring name = ctx.wide(s.str(2));
  const ZcGePoint3d origin = Point3d(s, 10);
  const std::wstring path = s.has(1) ? ctx.wide(s.str(1)) : std::wstring();
  const std::wstring comments = ctx.wide(s.str(4));
  std::wstring upper = name;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
  if (upper == L"$MODEL_SPACE") name = L"*Model_Space";
  if (upper == L"$PAPER_SPACE") name = L"*Paper_Space";
  uint64_t owner = 0;
  for (const DxfGroup& g : record.all()) {
    if (g.code == 100) break;
    if (g.code == 330 && !g.trimmed().empty()) owner = g.to_handle();
  }
  ZcDbBlockTable* table = nullptr;
  if (zcdbOpenObject(table, ctx.db()->blockTableId(), ZcDb::kForWrite) != Zcad::eOk) return {};
  ZcDbObjectId id;
  if (owner != 0) {
    ZcDbObjectId by_handle = ctx.id_of(owner);
    if (table->has(by_handle)) id = by_handle;
  }
  if (id.isNull()) table->getAt(name.c_str(), id);
  ZcDbBlockTableRecord* btr = nullptr;
  if (id.isNull()) {
    btr = new ZcDbBlockTableRecord();
    if (name.empty() || btr->setName(name.c_str()) != Zcad::eOk || table->add(id, btr) != Zcad::eOk) {
      delete btr;
      table->close();
      ctx.warn("BLOCK with an invalid name '" + std::string(s.str(2)) + "'; its entities are dropped");
      return {};
    }
  } else if (zcdbOpenObject(btr, id, ZcDb::kForWrite) != Zcad::eOk) {
    table->close();
    return {};
  }
  table->close();
  btr->setOrigin(origin);
  if (!path.empty()) btr->setPathName(path.c_str());
  if (!comments.empty()) btr->setComments(comments.c_str());
  btr->close();
  return id;
}

void Resolve_Deferred_Header(DxfReadContext& ctx) {
  ZcDbDatabase* db = ctx.db();
  for (const auto& [name, raw] : ctx.deferred_header) {
    if (name == "$CLAYER") {
      ZcDbObjectId id = ctx.layer(raw);
      if (!id.isNull()) db->setClayer(id);
    } else if (name == "$TEXTSTYLE") {
      ZcDbObjectId id = ctx.text_style(raw);
      if (!id.isNull()) db->setTextstyle(id);
    } else if (name == "$CELTYPE") {
      ZcDbObjectId id = ctx.linetype(raw);
      if (!id.isNull()) db->setCeltype(id);
    }
  }
}

// Block definitions whose record's extension dictionary has "ACAD_ENHANCEDBLOCK" are dynamic.
void Mark_Dynamic_Blocks(DxfReadContext& ctx) {
  ZcDbBlockTable* table = nullptr;
  if (zcdbOpenObject(table, ctx.db()->blockTableId(), ZcDb::kForRead) != Zcad::eOk) return;
  const std::vector<ZcDbObjectId> ids = table->recordIds();
  table->close();
  for (ZcDbObjectId id : ids) {
    ZcDbBlockTableRecord* btr = nullptr;
    if (zcdbOpenObject(btr, id, ZcDb::kForRead) != Zcad::eOk) continue;
    bool dynamic = false;
    ZcDbDictionary* xdict = nullptr;
    if (!btr->extensionDictionary().isNull() &&
        zcdbOpenObject(xdict, btr->extensionDictionary(), ZcDb::kForRead) == Zcad::eOk) {
      dynamic = xdict->has(L"ACAD_ENHANCEDBLOCK");
      xdict->close();
    }
    if (dynamic && btr->upgradeOpen() == Zcad::eOk) btr->setDynamicBlock(true);
    btr->close();
  }
}

// True when more than blanks and comments follow.
bool Text_Follows(DxfTokenizer& tokens) {
  try {
    DxfGroup group;
    return tokens.next(group);
  } catch (const DxfError&) {
    return true;
  }
}

// Groups after "0 ENDSEC" belong to no record.
void Warn_Stray_Groups(DxfReadContext& ctx, const DxfRecord& record) {
  if (!record.groups.empty())
    ctx.warn(record.groups.front().line, std::to_string(record.groups.size()) + " groups after 0 ENDSEC; ignored");
}

void Read_Sections(DxfReadContext& ctx, std::string_view text, DxfReadReport& report, bool mapped) {
  DxfTokenizer tokens(text);
  DxfRecordReader records(tokens);
  if (mapped) records.release_consumed_pages();
  DxfRecord record;
  DxfEntityReader entities(ctx);
  DxfObjectReader objects(ctx);
  uint64_t handseed = 0;
  bool tables_ready = false;
  auto ensure_tables = [&] {
    if (tables_ready) return;
    Ensure_Tables(ctx);
    ctx.forget_names();
    Resolve_Deferred_Header(ctx);
    tables_ready = true;
  };
  bool eof = false;
  auto reach_eof = [&](size_t line) {
    eof = true;
    if (Text_Follows(tokens)) ctx.warn(line + 2, "text after 0 EOF; ignored");
  };
  size_t sections = 0;
  while (!eof && records.next(record)) {
    if (record.type == "EOF") {
      reach_eof(record.line);
      break;
    }
    if (record.type == "ENDSEC") {
      ctx.warn(record.line, "0 ENDSEC outside a section; ignored");
      Warn_Stray_Groups(ctx, record);
      continue;
    }
    if (record.type != "SECTION")
      throw DxfError(record.line, "expected 0 SECTION, found 0 " + std::string(record.type.substr(0, 40)));
    ++sections;
    const std::string name(record.all().find(2) ? record.all().find(2)->trimmed() : std::string_view());
    const size_t section_line = record.line;
    if (name != "HEADER" && name != "CLASSES" && name != "TABLES" && name != "BLOCKS" && name != "ENTITIES" &&
        name != "OBJECTS" && name != "THUMBNAILIMAGE" && name != "ACDSDATA")
      ctx.warn(record.line, "unknown section '" + name.substr(0, 40) + "'; skipped");
    if (name == "HEADER") {
      HeaderReader header(ctx, record);
      header.read();
      handseed = header.handseed;
      // Objects the reader makes (extension dictionaries) take handles above the file's.
      if (handseed > ctx.db()->handseed().value()) ctx.db()->setHandseed(ZcDbHandle(handseed));
    }
    DxfTableReader tables(ctx);
    bool ended = false;
    while (records.next(record)) {
      ctx.record_line = record.line;
      if (record.type == "ENDSEC") {
        Warn_Stray_Groups(ctx, record);
        ended = true;
        break;
      }
      if (record.type == "EOF") {
        // The last section of a file cut short of its "0 ENDSEC": other readers take it as ended.
        ctx.warn(record.line, "section " + name + " (line " + std::to_string(section_line) +
                                  ") ends at 0 EOF without 0 ENDSEC");
        reach_eof(record.line);
        ended = true;
        break;
      }
      if (record.type == "SECTION")
        throw DxfError(record.line, "expected 0 ENDSEC of section " + name + " (line " +
                                        std::to_string(section_line) + "), found 0 " + std::string(record.type));
      if (name == "CLASSES") {
        Read_Classes(ctx, record);
      } else if (name == "TABLES") {
        tables.record(record);
      } else if (name == "BLOCKS") {
        ensure_tables();
        if (record.type == "BLOCK") {
          entities.set_block(Begin_Block(ctx, record));
        } else if (record.type == "ENDBLK") {
          entities.finish();
          entities.set_block(ZcDbObjectId::kNull);
        } else {
          entities.record(record);
        }
      } else if (name == "ENTITIES") {
        ensure_tables();
        entities.record(record);
      } else if (name == "OBJECTS") {
        objects.record(record);
      }
    }
    if (!ended)
      throw DxfError(records.line(), "expected 0 ENDSEC of section " + name + " (line " +
                                         std::to_string(section_line) + "), found the end of the file");
    if (name == "TABLES") ensure_tables();
    entities.finish();
    entities.set_block(ZcDbObjectId::kNull);
  }
  // Files that end after a complete section without "0 EOF" exist; they lose nothing.
  if (!eof) ctx.warn(records.line(), "the file ends without 0 EOF");
  if (sections == 0) ctx.warn(0, "the file holds no section: the drawing is empty");
  ensure_tables();
  objects.finish();
  Mark_Dynamic_Blocks(ctx);
  if (handseed > ctx.db()->handseed().value()) ctx.db()->setHandseed(ZcDbHandle(handseed));
  report.raw_entities = entities.raw_count();
}

// A DXF text starts (after comments) with a group of code 0; a file that does not is of
// another kind.
void Check_Is_Dxf_Text(std::string_view text) {
  DxfTokenizer tokens(text);
  DxfGroup first;
  bool record = false;
  try {
    record = tokens.next(first) && first.code == 0;
  } catch (const DxfError&) {
  }
  if (!record) throw DxfError(0, "not a DXF file");
}

}  // namespace

static Zcad::ErrorStatus Read_Data(ZcDbDatabase* db, std::string_view data, const std::string& name,
                            DxfReadReport* report, bool mapped) {
  DxfReadReport local;
  DxfReadReport& out = report ? *report : local;
  out = DxfReadReport();
  if (db == nullptr) return Zcad::eNoDatabase;
  Zcad::ErrorStatus es = Zcad::eBadDxfSequence;
  DxfReadContext ctx(db);
  try {
    DxfWarningScope scope(ctx.warnings);
    if (data.empty()) throw DxfError(0, "the file is empty");
    // A drawing's objects take about 128 bytes of DXF text each, or more.
    Db_Reserve_Objects(db, data.size() / 128);
    if (Is_Binary_Dxf(data)) {
      std::string text = Binary_Dxf_To_Text(data);
      Read_Sections(ctx, text, out, false);
    } else if (data.find('\n') == std::string_view::npos && data.find('\r') != std::string_view::npos) {
      // Lines ended by a carriage return alone (old Macintosh text).
      std::string text(data);
      std::replace(text.begin(), text.end(), '\r', '\n');
      Check_Is_Dxf_Text(text);
      Read_Sections(ctx, text, out, false);
    } else {
      Check_Is_Dxf_Text(data);
      Read_Sections(ctx, data, out, mapped);
    }
    es = Zcad::eOk;
  } catch (const DxfError& e) {
    out.error = name + ": " + e.what();
  } catch (const std::bad_alloc&) {
    out.error = name + ": out of memory";
  }
  out.warnings = ctx.warnings;
  Set_Last_Report(out);
  return es;
}

Zcad::ErrorStatus Read_Dxf_File(ZcDbDatabase* db, const std::wstring& path, DxfReadReport* report) {
  // Windows paths name files of the emulated machine.
  const std::string narrow = To_Host_Path(path).string();
  MappedFile file(narrow);
  if (!file.ok()) {
    DxfReadReport failed;
    std::error_code ec;
    const bool missing = !std::filesystem::exists(std::filesystem::path(narrow), ec) && !ec;
    failed.error = narrow + (missing ? ": the file does not exist" : ": cannot be opened");
    Set_Last_Report(failed);
    if (report) *report = failed;
    return Zcad::eFileNotFound;
  }
  return Read_Data(db, file.view(), narrow, report, true);
}

Zcad::ErrorStatus Read_Dxf_Data(ZcDbDatabase* db, std::string_view data, const std::string& name,
                                DxfReadReport* report) {
  return Read_Data(db, data, name, report, false);
}

DxfReadReport Dxf_Last_Report() {
  std::lock_guard<std::mutex> guard(gReportLock);
  return gLastReport;
}

std::string Dxf_Last_Error() { return Dxf_Last_Report().error; }

}  // namespace platform
