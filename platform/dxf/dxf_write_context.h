// State of one drawing being written: the group stream, handles for the records the file
// needs and the database lacks (BLOCK/ENDBLK/SEQEND...), and the classes of kept proxies.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "db/dbmain.h"
#include "db/dbproxy.h"
#include "dxf/dxf_output.h"
#include "dxf/dxf_warnings.h"

struct resbuf;

namespace platform {

class DxfWriteContext {
 public:
  // What the writer leaves out goes to `warnings` (null: nowhere).
  DxfWriteContext(const ZcDbDatabase* db, DxfOutput& out, DxfWarnings* warnings = nullptr);

  const ZcDbDatabase* db() const { return db_; }
  DxfOutput& out() { return out_; }

  uint64_t new_handle() { return next_handle_++; }
  uint64_t next_handle() const { return next_handle_; }
  static uint64_t handle(ZcDbObjectId id) { return id.isNull() ? 0 : id.handle().value(); }

  // Name of a symbol table record ("" for null).
  static std::wstring record_name(ZcDbObjectId id);
  // True when the layout and the block record name each other: only such a pair is written
  // as linked (a LAYOUT naming a block record that names another fails other readers).
  static bool layout_linked(ZcDbObjectId layout, ZcDbObjectId block);

  void warn(std::string reason) {
    if (warnings_) warnings_->add(0, std::move(reason));
  }

  // The handle, extension dictionary and owner groups that start every object.
  // (Dimension style records give their handle under 105.)
  void object_start(const char* type, const ZcDbObject* obj, uint64_t handle_override = 0, int handle_code = 5);
  // Extended data of the object (1001...).
  void xdata(const ZcDbObject* obj);
  // A result-buffer chain as groups (points as three groups, ids as handles).
  void chain(const resbuf* rb);

  // Classes written in CLASSES; their position numbers proxy records (500 + index).
  struct ClassEntry {
    ZcDbProxyClassInfo info;
    bool is_entity = false;
    bool proxy = true;  // false for the platform's own classes the file must name
    int proxy_flags = 0;  // what a program without the class may do with an instance
    int instances = 0;
  };
  std::vector<ClassEntry>& classes() { return classes_; }
  int class_number(const std::wstring& dxf_name) const;
  // How many records of the type object_start began so far.
  int written(const std::string& type) const;

 private:
  const ZcDbDatabase* db_;
  DxfOutput& out_;
  DxfWarnings* warnings_;
  uint64_t next_handle_;
  std::vector<ClassEntry> classes_;
  std::map<std::string, int> written_;
};

}  // namespace platform
