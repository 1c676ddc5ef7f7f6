// Shared helpers of the DXF tests: fixture paths, reading into a fresh database, the ezdxf oracle.
#pragma once

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_reader.h"
#include "dxf_handle_check.h"
#include "real_drawings.h"
#include "script/utf8.h"

namespace platform::dxf_test {

using korvel_test::Real_Drawing;

inline std::string Fixture(const std::string& name) {
  return std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/" + name;
}
inline std::string Temp_Path(const std::string& name) { return std::string(KORVEL_BINARY_DIR) + "/dxf_test_" + name; }
// Paths are UTF-8 here, wide text in the API.
inline std::wstring Wide(const std::string& s) { return From_Utf8(s); }

// The drawing of a file in a new database (null when reading failed; `error` says why).
inline std::unique_ptr<ZcDbDatabase> Read(const std::string& path, std::string* error = nullptr) {
  auto db = std::make_unique<ZcDbDatabase>(false, true);
  DxfReadReport report;
  if (Read_Dxf_File(db.get(), Wide(path), &report) != Zcad::eOk) {
    if (error) *error = report.error;
    return nullptr;
  }
  return db;
}

// The dangling or doubled handles of a DXF file (empty when it is sound).
inline std::vector<std::string> Handle_Problems(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return korvel_test::Dxf_Handle_Problems(text.str());
}

// The record of a symbol table by name (null when absent).
inline ZcDbObjectId Record_Id(ZcDbObjectId table_id, const wchar_t* name) {
  ZcDbSymbolTable* table = nullptr;
  ZcDbObjectId id;
  if (zcdbOpenObject(table, table_id, ZcDb::kForRead) == Zcad::eOk) {
    table->getAt(name, id);
    table->close();
  }
  return id;
}

// Runs a command; its exit status and what it printed.
inline int Run_Command(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::string Oracle(const std::string& script) {
  return "/usr/bin/python3 " + std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/" + script;
}

inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

}  // namespace platform::dxf_test
