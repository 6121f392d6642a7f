// The table (two levels of detail) and the base drawn over its rim after the
// mirror pass. Geometry is in table units; see table_layout.h for why.
#pragma once

#include "tools/assetgen/xmesh.h"

namespace assetgen {

XMesh MakeTable(bool highDetail);  // "mesa.x" / "mesalow.x"
XMesh MakeBase();                  // "base.x"

}  // namespace assetgen
