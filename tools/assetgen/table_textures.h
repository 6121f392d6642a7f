// The two table textures: the painted playing surface and the rim's wood.
#pragma once

#include "tools/assetgen/image.h"

namespace assetgen {

Image MakePlayingSurface();  // "mesa1.tga"
Image MakeRimWood();         // "mesa2.tga"

}  // namespace assetgen
