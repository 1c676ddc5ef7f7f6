#include "dxf/dxf_layout_links.h"

#include <cwctype>
#include <map>

#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "script/utf8.h"

namespace platform {

namespace {

struct Block {
  ZcDbObjectId id;
  std::wstring name;
  std::wstring upper;  // the name in upper case
  ZcDbObjectId named_layout;  // what its layout link (340) names
  ZcDbObjectId claimed_by;    // the layout linked to it
};

struct Layout {
  ZcDbObjectId id;
  std::string name;
  bool model = false;
  ZcDbObjectId named_block;  // what its block record link names
  Block* block = nullptr;
};

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

std::vector<Block> Blocks_Of(ZcDbDatabase* db) {
  std::vector<Block> blocks;
  ZcDbBlockTable* table = nullptr;
  if (zcdbOpenObject(table, db->blockTableId(), ZcDb::kForRead) != Zcad::eOk) return blocks;
  const std::vector<ZcDbObjectId> ids = table->recordIds();
  table->close();
  for (ZcDbObjectId id : ids) {
    ZcDbBlockTableRecord* btr = nullptr;
    if (zcdbOpenObject(btr, id, ZcDb::kForRead) != Zcad::eOk) continue;
    blocks.push_back({id, btr->name(), Upper(btr->name()), btr->getLayoutId(), {}});
    btr->close();
  }
  return blocks;
}

Block* Find(std::vector<Block>& blocks, ZcDbObjectId id) {
  for (Block& b : blocks)
    if (b.id == id) return &b;
  return nullptr;
}

void Claim(Layout& layout, Block* block) {
  layout.block = block;
  block->claimed_by = layout.id;
}

// A block record free for the layout that lost its own: the one naming it, else the model
// space for the model layout, else a paper space block no layout draws on.
Block* Stand_In(std::vector<Block>& blocks, const Layout& layout) {
  for (Block& b : blocks)
    if (b.claimed_by.isNull() && b.named_layout == layout.id) return &b;
  for (Block& b : blocks) {
    if (!b.claimed_by.isNull()) continue;
    if (layout.model ? b.upper == L"*MODEL_SPACE" : b.upper.rfind(L"*PAPER_SPACE", 0) == 0) return &b;
  }
  return nullptr;
}

void Drop_Layout(const Layout& layout) {
  ZcDbLayout* obj = nullptr;
  if (zcdbOpenObject(obj, layout.id, ZcDb::kForWrite) != Zcad::eOk) return;
  ZcDbDictionary* owner = nullptr;
  if (zcdbOpenObject(owner, obj->ownerId(), ZcDb::kForWrite) == Zcad::eOk) {
    owner->remove(layout.id);
    owner->close();
  }
  obj->erase();
  obj->close();
}

}  // namespace

void Link_Layouts(DxfReadContext& ctx, const std::vector<ZcDbObjectId>& ids) {
  std::vector<Block> blocks = Blocks_Of(ctx.db());
  std::vector<Layout> layouts;
  for (ZcDbObjectId id : ids) {
    ZcDbLayout* obj = nullptr;
    if (zcdbOpenObject(obj, id, ZcDb::kForRead) != Zcad::eOk) continue;
    const wchar_t* name = L"";
    obj->getLayoutName(name);
    const std::wstring wide = name ? name : L"";
    layouts.push_back({id, To_Utf8(wide), obj->modelType() || Upper(wide) == L"MODEL", obj->getBlockTableRecordId()});
    obj->close();
  }
  // Pairs that name each other first, then layouts naming a free block record, then stand-ins.
  for (Layout& l : layouts) {
    Block* b = Find(blocks, l.named_block);
    if (b && b->claimed_by.isNull() && b->named_layout == l.id) Claim(l, b);
  }
  for (Layout& l : layouts) {
    if (l.block) continue;
    Block* b = Find(blocks, l.named_block);
    bool taken = b == nullptr || !b->claimed_by.isNull();
    // A block record naming another layout of the file keeps it for that one.
    if (!taken)
      for (const Layout& other : layouts) taken = taken || (other.id != l.id && other.id == b->named_layout);
    if (!taken) Claim(l, b);
  }
  for (Layout& l : layouts) {
    if (l.block) continue;
    Block* b = Stand_In(blocks, l);
    if (b == nullptr) {
      ctx.warn(0, "layout '" + l.name + "' names no block record of its own; dropped");
      Drop_Layout(l);
      continue;
    }
    Claim(l, b);
    ctx.warn(0, "layout '" + l.name + "' names no block record of its own; linked to '" + To_Utf8(b->name) + "'");
    ZcDbLayout* obj = nullptr;
    if (zcdbOpenObject(obj, l.id, ZcDb::kForWrite) != Zcad::eOk) continue;
    obj->setBlockTableRecordId(b->id);
    obj->close();
  }
  // Each block record names the layout linked to it, or none.
  for (Block& b : blocks) {
    if (b.named_layout == b.claimed_by) continue;
    if (!b.named_layout.isNull())
      ctx.warn(0, "block record '" + To_Utf8(b.name) + "' names a layout that does not draw on it; " +
                      (b.claimed_by.isNull() ? "link dropped" : "linked to the one that does"));
    ZcDbBlockTableRecord* btr = nullptr;
    if (zcdbOpenObject(btr, b.id, ZcDb::kForWrite) != Zcad::eOk) continue;
    btr->setLayoutId(b.claimed_by);
    btr->close();
  }
}

}  // namespace platform
