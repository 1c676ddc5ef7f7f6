#include "dxf/dxf_read_context.h"

#include <cstdio>

#include "db/db_loader.h"
#include "db/dbdict.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_enums.h"
#include "rx/rxclass.h"
#include "rx/rxdict.h"
#include "rx/rxregistry.h"
#include "rx/zcadstrc.h"

namespace platform {

namespace {
std::string Handle_Text(uint64_t handle) {
  char text[24];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(handle));
  return text;
}
}  // namespace

void DxfReadContext::set_version(std::string_view v) {
  version_ = std::string(v.substr(0, 6));
  text_.set_version(version_);
}

ZcDbObjectId DxfReadContext::id_of(uint64_t handle) {
  if (handle == 0) return ZcDbObjectId::kNull;
  ZcDbObjectId id;
  db_->getZcDbObjectId(id, true, ZcDbHandle(handle));
  return id;
}

Zcad::ErrorStatus DxfReadContext::add(ZcDbObject* obj, uint64_t handle, ZcDbObjectId& id) {
  if (handle != 0) {
    Zcad::ErrorStatus es = Db_Add_Object_With_Handle(db_, obj, ZcDbHandle(handle), id);
    if (es == Zcad::eOk) return es;
    warn("handle " + Handle_Text(handle) + " is used twice; the later object gets a new one");
  }
  return db_->addZcDbObject(id, obj);
}

ZcDbObjectId DxfReadContext::symbol(std::unordered_map<std::string, ZcDbObjectId>& cache,
                                    ZcDbObjectId table_id, std::string_view raw_name, bool create_layer) {
  std::string key(raw_name);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  ZcDbObjectId id;
  std::wstring name = wide(raw_name);
  ZcDbSymbolTable* table = nullptr;
  if (!name.empty() && zcdbOpenObject(table, table_id, ZcDb::kForRead) == Zcad::eOk) {
    if (table->getAt(name.c_str(), id) != Zcad::eOk && create_layer && table->upgradeOpen() == Zcad::eOk) {
      auto* layer = new ZcDbLayerTableRecord();
      if (layer->setName(name.c_str()) == Zcad::eOk && table->add(id, layer) == Zcad::eOk) {
        layer->close();
      } else {
        delete layer;
        id = ZcDbObjectId::kNull;
      }
    }
    table->close();
  }
  cache.emplace(std::move(key), id);
  return id;
}

ZcDbObjectId DxfReadContext::layer(std::string_view raw_name) {
  return symbol(layers_, db_->layerTableId(), raw_name, true);
}
ZcDbObjectId DxfReadContext::linetype(std::string_view raw_name) {
  return symbol(linetypes_, db_->linetypeTableId(), raw_name, false);
}
ZcDbObjectId DxfReadContext::text_style(std::string_view raw_name) {
  return symbol(styles_, db_->textStyleTableId(), raw_name, false);
}
ZcDbObjectId DxfReadContext::block(std::string_view raw_name) {
  return symbol(blocks_, db_->blockTableId(), raw_name, false);
}

ZcRxClass* DxfReadContext::custom_class(std::string_view record_type) {
  std::string key(record_type);
  auto found = custom_classes_.find(key);
  if (found != custom_classes_.end()) return found->second;
  ZcRxClass* match = nullptr;
  const std::wstring name = wide(record_type);
  std::unique_ptr<ZcRxDictionaryIterator> it(zcrxClassDictionary->newIterator());
  for (; !it->done(); it->next()) {
    auto* cls = ZcRxClass::cast(it->object());
    if (cls && cls->hasConstructor() && name == cls->dxfName() && std::wstring_view(cls->appName()) != L"AutoCAD" &&
        cls->isDerivedFrom(ZcDbObject::desc())) {
      match = cls;
      break;
    }
  }
  custom_classes_.emplace(std::move(key), match);
  return match;
}

const DxfClassInfo* DxfReadContext::class_named(std::wstring_view dxf_name) const {
  for (const DxfClassInfo& c : classes_)
    if (c.dxf_name == dxf_name) return &c;
  return nullptr;
}

const DxfClassInfo* DxfReadContext::class_by_number(int number) const {
  if (number < 500 || static_cast<size_t>(number - 500) >= classes_.size()) return nullptr;
  return &classes_[static_cast<size_t>(number - 500)];
}

resbuf* DxfReadContext::to_chain(DxfSpan groups) {
  resbuf head{};
  resbuf* tail = &head;
  try {
    fill_chain(groups, tail);
  } catch (...) {
    zcutRelRb(head.rbnext);  // out of memory: nothing of the chain is kept
    throw;
  }
  return head.rbnext;
}

void DxfReadContext::fill_chain(DxfSpan groups, resbuf* tail) {
  for (const DxfGroup* g = groups.begin(); g != groups.end(); ++g) {
    if (g->code > 32767) continue;
    const ZcRbValueKind kind = zcutGroupCodeType(g->code);
    resbuf* rb = zcutNewRb(g->code);
    if (!rb) break;
    tail->rbnext = rb;
    tail = rb;
    switch (kind) {
      case kRbPoint: {
        // One resbuf; the file has y and z as code + 10 and code + 20 (z may be missing).
        rb->resval.rpoint[0] = g->to_double();
        const DxfGroup* y = g + 1;
        if (y != groups.end() && y->code == g->code + 10) {
          rb->resval.rpoint[1] = y->to_double();
          g = y;
          const DxfGroup* z = g + 1;
          if (z != groups.end() && z->code == y->code + 10) {
            rb->resval.rpoint[2] = z->to_double();
            g = z;
          }
        }
        break;
      }
      case kRbReal:
        rb->resval.rreal = g->to_double();
        break;
      case kRbShort:
      case kRbBool:
        rb->resval.rint = static_cast<short>(g->to_int());
        break;
      case kRbLong:
        rb->resval.rlong = g->to_int();
        break;
      case kRbInt64:
        rb->resval.mnInt64 = g->to_int64();
        break;
      case kRbObjectId: {
        ZcDbObjectId id = id_of(g->trimmed().empty() ? 0 : g->to_handle());
        rb->resval.rlname[0] = id.asOldId();
        rb->resval.rlname[1] = 0;
        break;
      }
      case kRbBinary: {
        std::string bytes;
        std::string_view hex = g->trimmed();
        for (size_t i = 0; i + 1 < hex.size(); i += 2) {
          auto nibble = [](char c) {
            return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
          };
          bytes += static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1]));
        }
        rb->resval.rbinary.clen = static_cast<short>(std::min<size_t>(bytes.size(), 32767));
        rb->resval.rbinary.buf = new char[bytes.size() ? bytes.size() : 1];
        std::copy(bytes.begin(), bytes.begin() + rb->resval.rbinary.clen, rb->resval.rbinary.buf);
        break;
      }
      case kRbString:
      case kRbHandle: {
        std::wstring s = wide(g->value);
        zcutNewString(s.c_str(), rb->resval.rstring);
        break;
      }
      case kRbNone:
        break;
    }
  }
}

}  // namespace platform

namespace platform {

void DxfReadContext::read_entity_common(const DxfRecord& record, ZcDbEntity* ent) {
  DxfSpan s = record.has_subclass_markers() ? record.subclass("AcDbEntity") : record.all();
  if (s.empty()) s = record.all();
  const DxfGroup* layer_group = s.find(8);
  if (layer_group) {
    ZcDbObjectId id = layer(layer_group->value);
    if (!id.isNull()) ent->setLayer(id, false);
  }
  if (const DxfGroup* g = s.find(6)) {
    ZcDbObjectId id = linetype(g->value);
    if (!id.isNull()) ent->setLinetype(id, false);
  }
  if (const DxfGroup* g = s.find(420)) {
    const int32_t rgb = g->to_int();
    ZcCmColor color;
    color.setRGB(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
    ent->setColor(color, false);
  } else if (const DxfGroup* c = s.find(62)) {
    const int index = std::abs(Dxf_Enum_Value(*c, -256, 256, 256));
    ent->setColorIndex(static_cast<uint16_t>(index), false);
  }
  if (const DxfGroup* g = s.find(370)) ent->setLineWeight(Dxf_Line_Weight(*g, ZcDb::kLnWtByLayer), false);
  if (const DxfGroup* g = s.find(48)) ent->setLinetypeScale(g->to_double(), false);
  if (const DxfGroup* g = s.find(60)) ent->setVisibility(g->to_int() ? ZcDb::kInvisible : ZcDb::kVisible, false);
}

void DxfReadContext::read_object_common(const DxfRecord& record, ZcDbObject* obj) {
  if (record.xdictionary != 0) {
    // Linked under the file's handle; the dictionary record usually comes later in OBJECTS.
    const ZcDbObjectId dict = id_of(record.xdictionary);
    if (dict.isNull() || xdict_owners_.count(record.xdictionary) ||
        Db_Set_Extension_Dictionary(obj, dict) != Zcad::eOk)
      warn(record.line, "extension dictionary " + Handle_Text(record.xdictionary) + " names no dictionary or is shared; dropped");
    else
      xdict_owners_[record.xdictionary] = obj->objectId();
  }
  DxfSpan xdata = record.xdata();
  if (!xdata.empty()) {
    resbuf* chain = to_chain(xdata);
    if (chain) {
      obj->setXData(chain);
      zcutRelRb(chain);
    }
  }
}

void DxfReadContext::finish_extension_dictionaries() {
  for (const auto& [handle, owner_id] : xdict_owners_) {
    ZcDbObject* owner = nullptr;
    if (zcdbOpenObject(owner, owner_id, ZcDb::kForWrite) != Zcad::eOk) continue;
    ZcDbObjectId dict = id_of(handle);
    if (dict.objectClass() == nullptr) {
      // The file lacks the dictionary record: an empty one stands under its handle.
      auto* made = new ZcDbDictionary();
      made->setTreatElementsAsHard(true);
      ZcDbObjectId added;
      if (Db_Add_Object_With_Handle(db_, made, ZcDbHandle(handle), added) == Zcad::eOk)
        made->close();
      else
        delete made;
    }
    if (Db_Set_Extension_Dictionary(owner, dict) != Zcad::eOk) {
      warn(0, "extension dictionary " + Handle_Text(handle) + " is no dictionary; dropped");
      Db_Set_Extension_Dictionary(owner, ZcDbObjectId::kNull);
    }
    owner->close();
  }
  xdict_owners_.clear();
}

}  // namespace platform
