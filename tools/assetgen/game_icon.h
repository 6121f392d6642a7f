// The game's icon for the desktop: the table seen from above, painted with
// the table's own surface and rim pictures, with a green and a red disc and
// the yellow striker in the game's colours.
#pragma once

#include "tools/assetgen/image.h"

namespace assetgen {

// The icon at size x size pixels, drawn four times larger and reduced, so
// the small sizes stay smooth.
Image MakeGameIcon(int size);

}  // namespace assetgen
