// Filing of kept raw DXF data (proxies, hatches, dimensions) through the binary filers.
#pragma once
#include <string>
#include <vector>

#include "db/dbproxy.h"
#include "db/filer.h"

namespace platform {

void Bytes_Out(ZcDbDwgFiler* filer, const std::string& bytes);
Zcad::ErrorStatus Bytes_In(ZcDbDwgFiler* filer, std::string& bytes);
void Raw_Groups_Out(ZcDbDwgFiler* filer, const std::vector<ZcDbRawGroup>& groups);
Zcad::ErrorStatus Raw_Groups_In(ZcDbDwgFiler* filer, std::vector<ZcDbRawGroup>& groups);

}  // namespace platform
