// The table (two levels of detail) and the base drawn over its rim after the
// mirror pass. They are modelled in table units (game/table_geometry.h) with
// a box already centred and 70.5 across: the scene loads them with
// FitSize(47, centred), which scales by 47 x 1.5 / (largest side) about the
// box's centre and so leaves every vertex where it was made.
#pragma once

#include "tools/assetgen/xmesh.h"

namespace assetgen {

XMesh MakeTable(bool highDetail);  // "mesa.x" / "mesalow.x"
XMesh MakeBase();                  // "base.x"

}  // namespace assetgen
