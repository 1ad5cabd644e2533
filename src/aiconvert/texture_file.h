#pragma once
// The layout of the simulator's BMP textures, read from untrusted bytes.
//
//   0   "BM", u32 file size, u16 0, u16 0, u32 offset of the pixel data
//   14  BITMAPINFOHEADER (40 bytes): u32 40, i32 width, i32 height (negative: rows top-down),
//       u16 planes 1, u16 bits per pixel, u32 compression, u32 image size, 4 x u32 not used here
//   54  uncompressed with BI_BITFIELDS (3) and a 40-byte header: three u32 colour masks
//
// Uncompressed textures hold rows bottom-up, each padded to 4 bytes, 16, 24 or 32 bits a pixel
// (compression BI_RGB 0 or BI_BITFIELDS 3). Compressed textures carry the FourCC "DXT1", "DXT3" or
// "DXT5" as compression (bits per pixel 16, image size the top level only), a 20-byte block at
// offset 54 ("FS70", u32 20, u32 0, u16 0, u16 log2 of the larger side, u32 0) and their pixel
// data from offset 74: 4 x 4 blocks (8 bytes each for DXT1, 16 for DXT3/5), block rows bottom-up,
// the top level first and then each smaller mip level down to 1 x 1.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace wf {

enum class TextureEncoding { kUncompressed, kDxt1, kDxt3, kDxt5 };

// The largest side of a texture the simulator loads (4096 x 4096); what claims more is no texture of
// its, and would cost a gigabyte to decode.
inline constexpr std::uint32_t kMaxTextureSide = 4096;
inline constexpr std::size_t kFs70Offset = 54;
inline constexpr std::size_t kFs70BlockSize = 20;
inline constexpr std::size_t kDxtPixelOffset = kFs70Offset + kFs70BlockSize;

struct BmpTextureLayout {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool bottomUp = true;
  TextureEncoding encoding = TextureEncoding::kUncompressed;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t masks[3] = {};  // red, green, blue masks of BI_BITFIELDS
  std::size_t pixelOffset = 0;
  std::size_t topLevelBytes = 0;
  // Mip levels whose data the file holds completely, the top level included.
  int levelsPresent = 0;
  bool hasFs70 = false;
};

// The number of levels from width x height down to 1 x 1.
int FullMipCount(std::uint32_t width, std::uint32_t height);

// Bytes of one level of a DXT texture.
std::size_t DxtLevelBytes(std::uint32_t width, std::uint32_t height, TextureEncoding encoding);

// The layout of a BMP texture whose top level lies completely in `bytes`, or nothing with the
// reason in `why`: not a BMP, a form other than those above, a side of 0 or above kMaxTextureSide,
// or pixel data that end early.
std::optional<BmpTextureLayout> ReadBmpTextureLayout(std::span<const std::uint8_t> bytes, std::string* why);

}
