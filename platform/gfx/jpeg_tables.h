// A check of JPEG data before the image codec sees it. The codec this
// system ships builds each Huffman table from its sixteen counts without
// checking that they add up to at most the 256 symbols a table holds, and
// writes past the table when they do not; damaged data is refused here
// instead.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gfx {

// False for JPEG data with a Huffman table of more than 256 symbols; true
// for anything else, other formats included (the codec judges the rest).
bool JpegHuffmanTablesFit(const uint8_t* data, size_t size);

}  // namespace gfx
