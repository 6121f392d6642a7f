// The disc (two levels of detail) and the cue, modelled in table units.
#pragma once

#include "tools/assetgen/xmesh.h"

namespace assetgen {

XMesh MakeDisc(bool highDetail);  // "peao.x" / "peaolow.x"
XMesh MakeCue();                  // "bastao.x"

}  // namespace assetgen
