#include "dxf/dxf_write_polyface.h"

#include "db/dbpolyface.h"
#include "dxf/dxf_filer.h"

namespace platform {

namespace {

// The start of a part record (VERTEX, SEQEND) of the mesh: on the mesh's layer and space.
void Part_Start(DxfWriteContext& ctx, const char* type, const ZcDbPolyFaceMesh* mesh, bool paper_space,
                const std::wstring& layer) {
  DxfOutput& out = ctx.out();
  out.raw(0, type);
  out.handle(5, ctx.new_handle());
  out.handle(330, DxfWriteContext::handle(mesh->objectId()));
  out.raw(100, "AcDbEntity");
  if (paper_space) out.integer(67, 1);
  out.text(8, layer);
}

}  // namespace

void Write_Polyface_Mesh(DxfWriteContext& ctx, const ZcDbPolyFaceMesh* mesh, bool paper_space) {
  DxfOutput& out = ctx.out();
  ctx.object_start("POLYLINE", mesh);
  {
    DxfOutFiler filer(ctx);
    mesh->ZcDbEntity::dxfOutFields(&filer);
  }
  out.raw(100, "AcDbPolyFaceMesh");
  out.integer(66, 1);
  out.point(10, 0, 0, 0);
  out.integer(70, 64);
  out.integer(71, mesh->numVertices());
  out.integer(72, mesh->numFaces());
  ctx.xdata(mesh);
  std::wstring layer = DxfWriteContext::record_name(mesh->layerId());
  if (layer.empty()) layer = L"0";
  for (int i = 0; i < mesh->numVertices(); ++i) {
    ZcGePoint3d p;
    mesh->getVertexAt(i, p);
    Part_Start(ctx, "VERTEX", mesh, paper_space, layer);
    out.raw(100, "AcDbVertex");
    out.raw(100, "AcDbPolyFaceMeshVertex");
    out.point(10, p.x, p.y, p.z);
    out.integer(70, 192);
  }
  for (int i = 0; i < mesh->numFaces(); ++i) {
    int16_t corners[4];
    mesh->getFaceAt(i, corners);
    Part_Start(ctx, "VERTEX", mesh, paper_space, layer);
    out.raw(100, "AcDbFaceRecord");
    out.point(10, 0, 0, 0);
    out.integer(70, 128);
    for (int k = 0; k < 4; ++k)
      if (corners[k] != 0) out.integer(71 + k, corners[k]);
  }
  Part_Start(ctx, "SEQEND", mesh, paper_space, layer);
}

}  // namespace platform
