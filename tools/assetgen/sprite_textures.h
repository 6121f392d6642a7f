// The small pictures: the logo, the explosion, the firework particles, the
// disc icon and the cue's texture.
#pragma once

#include "tools/assetgen/image.h"

namespace assetgen {

Image MakeLogo();       // "logo.tga": 256 x 256, two 256 x 128 frames stacked
Image MakeExplosion();  // "boom.tga": 256 x 256, two 256 x 128 frames stacked
Image MakeSpark();      // "spark.tga": 32 x 32 white glow, tinted when drawn
Image MakeRocket();     // "rojao.tga": 16 x 32, nose up
Image MakeDiscIcon();   // "disco.tga": 32 x 32, the yellow striker seen from above
Image MakeCueWood();    // "bastao.tga": 64 x 512, u around the cue, v from tip to butt

// A shaded disc seen from above, lit from the upper left.
void PaintDisc(Image& img, float cx, float cy, float r, Color base);

}  // namespace assetgen
