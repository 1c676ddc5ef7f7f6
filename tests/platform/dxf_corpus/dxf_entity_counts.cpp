// Reads drawings with the platform's reader and prints, per drawing, the entities of every
// block (layouts included) counted by type, then saves the drawing. Pairs of paths come on
// standard input, one drawing and the file to save it to per line, separated by a tab:
//   FILE <drawing>
//   ERROR <the reader's message>            (the drawing was refused)
//   COUNT <block>\t<type>\t<count>          (one line per block and type)
//   WARNINGS <count>
//   SAVE-ERROR <status>                     (when the copy could not be written)
//   HANDLES <fault>                         (per dangling or doubled handle of the copy)
//   END
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <memory>
#include <string>

#include "db/dbmain.h"
#include "db/dbproxy.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_writer.h"
#include "script/utf8.h"
#include "../../support/dxf_handle_check.h"

namespace {

using platform::From_Utf8;
using platform::To_Utf8;

// The record name the file gave an entity: a raw entity keeps its own.
std::string Type_Of(const ZcDbEntity* ent) {
  if (const auto* proxy = ZcDbProxyEntity::cast(ent)) return To_Utf8(proxy->classInfo().recordName);
  return To_Utf8(ent->isA()->dxfName());
}

void Print_Counts(ZcDbDatabase* db) {
  ZcDbBlockTable* table = nullptr;
  if (zcdbOpenObject(table, db->blockTableId(), ZcDb::kForRead) != Zcad::eOk) return;
  const std::vector<ZcDbObjectId> blocks = table->recordIds();
  table->close();
  for (ZcDbObjectId block_id : blocks) {
    ZcDbBlockTableRecord* block = nullptr;
    if (zcdbOpenObject(block, block_id, ZcDb::kForRead) != Zcad::eOk) continue;
    const wchar_t* name = L"";
    block->getName(name);
    const std::string block_name = To_Utf8(name);
    std::map<std::string, int> counts;
    for (ZcDbObjectId id : block->entityIds()) {
      ZcDbEntity* ent = nullptr;
      if (zcdbOpenObject(ent, id, ZcDb::kForRead) != Zcad::eOk) continue;
      ++counts[Type_Of(ent)];
      ent->close();
    }
    block->close();
    for (const auto& [type, count] : counts) std::cout << "COUNT " << block_name << '\t' << type << '\t' << count << '\n';
  }
}

void Print_Handle_Problems(const std::string& copy) {
  std::ifstream in(copy, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  for (const std::string& fault : korvel_test::Dxf_Handle_Problems(text.str())) std::cout << "HANDLES " << fault << '\n';
}

void Check(const std::string& drawing, const std::string& copy) {
  std::cout << "FILE " << drawing << '\n';
  auto db = std::make_unique<ZcDbDatabase>(false, true);
  platform::DxfReadReport report;
  if (platform::Read_Dxf_File(db.get(), From_Utf8(drawing), &report) != Zcad::eOk) {
    std::cout << "ERROR " << report.error << '\n';
  } else {
    Print_Counts(db.get());
    std::cout << "WARNINGS " << report.warnings.count() << '\n';
    if (!copy.empty()) {
      const Zcad::ErrorStatus es = platform::Write_Dxf_File(db.get(), From_Utf8(copy));
      if (es != Zcad::eOk) std::cout << "SAVE-ERROR " << To_Utf8(zcadErrorStatusText(es)) << '\n';
      else Print_Handle_Problems(copy);
    }
  }
  std::cout << "END" << std::endl;
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.empty()) continue;
    const size_t tab = line.find('\t');
    Check(line.substr(0, tab), tab == std::string::npos ? std::string() : line.substr(tab + 1));
  }
  return 0;
}
