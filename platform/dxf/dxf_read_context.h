// State shared by the parts of the reader while one drawing file is read into a database.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/dbmain.h"
#include "dxf/dxf_record.h"
#include "dxf/dxf_text_codec.h"
#include "dxf/dxf_warnings.h"

class ZcDbBlockTableRecord;
class ZcDbEntity;
class ZcRxClass;
struct resbuf;

namespace platform {

// A class of the CLASSES section.
struct DxfClassInfo {
  std::wstring dxf_name;
  std::wstring cpp_name;
  std::wstring app_name;
  bool is_entity = false;
};

class DxfReadContext {
 public:
  explicit DxfReadContext(ZcDbDatabase* db) : db_(db) {}

  ZcDbDatabase* db() const { return db_; }
  DxfTextDecoder& text() { return text_; }
  const std::string& version() const { return version_; }
  void set_version(std::string_view v);

  std::wstring wide(std::string_view raw) const { return text_.decode(raw); }

  // The id of a handle of the file (a placeholder until its object is read); null for 0.
  ZcDbObjectId id_of(uint64_t handle);
  // Adds a new object under its file handle (a new handle when 0 or already taken). The
  // object stays open for write.
  Zcad::ErrorStatus add(ZcDbObject* obj, uint64_t handle, ZcDbObjectId& id);

  // Symbol table records by their name in the file (cached by raw bytes). A layer that an
  // entity names but the LAYER table lacks is created, as CAD programs do.
  ZcDbObjectId layer(std::string_view raw_name);
  ZcDbObjectId linetype(std::string_view raw_name);
  ZcDbObjectId text_style(std::string_view raw_name);
  ZcDbObjectId block(std::string_view raw_name);
  void forget_names() { layers_.clear(), linetypes_.clear(), styles_.clear(), blocks_.clear(); }

  // Common entity data (layer, colour, linetype, lineweight, visibility...), extension
  // dictionary and extended data.
  void read_entity_common(const DxfRecord& record, ZcDbEntity* ent);
  // Extension dictionary link and extended data of any object.
  void read_object_common(const DxfRecord& record, ZcDbObject* obj);
  // A result-buffer chain of groups (points joined); the caller frees it with zcutRelRb.
  resbuf* to_chain(DxfSpan groups);

  // A class registered by a module that files itself under this record name (null when none;
  // the platform's own classes are read by the reader).
  ZcRxClass* custom_class(std::string_view record_type);

  std::vector<DxfClassInfo>& classes() { return classes_; }
  const DxfClassInfo* class_named(std::wstring_view dxf_name) const;
  const DxfClassInfo* class_by_number(int number) const;  // 500 + index

  // True when an object of the file names this handle as its extension dictionary.
  bool is_extension_dictionary(uint64_t handle) const { return xdict_owners_.count(handle) != 0; }
  // Once all records are read: each extension dictionary becomes owned by its object; one the
  // file lacks is made empty under its handle, a handle naming no dictionary is dropped.
  void finish_extension_dictionaries();

  // Header variables naming table records, resolved once the tables are read.
  std::unordered_map<std::string, std::string> deferred_header;

  // What was dropped or kept raw, with the line of the record or value concerned (by default
  // the record being read).
  void warn(size_t line, std::string reason) { warnings.add(line, std::move(reason)); }
  void warn(std::string reason) { warnings.add(record_line, std::move(reason)); }
  DxfWarnings warnings;
  size_t record_line = 0;  // line of the record being read

 private:
  void fill_chain(DxfSpan groups, resbuf* tail);
  ZcDbObjectId symbol(std::unordered_map<std::string, ZcDbObjectId>& cache, ZcDbObjectId table,
                      std::string_view raw_name, bool create_layer);

  ZcDbDatabase* db_;
  DxfTextDecoder text_;
  std::string version_ = "AC1009";
  std::unordered_map<std::string, ZcDbObjectId> layers_, linetypes_, styles_, blocks_;
  std::vector<DxfClassInfo> classes_;
  std::unordered_map<uint64_t, ZcDbObjectId> xdict_owners_;  // dictionary handle -> its object
  std::unordered_map<std::string, ZcRxClass*> custom_classes_;
};

}  // namespace platform
