#pragma once
// Pictures in and out of the file formats of the texture chain, for the stand-ins of the image
// tools and for tests: the simulator's BMP textures (uncompressed 16/24/32-bit, or DXT1/3/5 with
// mip-maps; see aiconvert/texture_file.h), 32-bit TGA, and DDS with DXT compression and mip-maps.
//
// Codecs are the libraries': stb_image for TGA and uncompressed BMP, stb_image_write for TGA,
// stb_image_resize for scaling and mip levels, libsquish for DXT. Pictures are 8-bit RGBA, rows
// top-down. Decoders take untrusted bytes and return nothing with a reason instead of throwing.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "aiconvert/texture_file.h"

namespace wf::imaging {

struct Image {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> rgba;  // width x height x 4 bytes, rows top-down
};

// A BMP texture's top level, the right way up.
std::optional<Image> DecodeBmpTexture(std::span<const std::uint8_t> bytes, std::string* why);

// A BMP texture in DXT form with the FS70 block and, when `mipMaps`, every level down to 1 x 1.
// The file's first block row is `image`'s first row: a picture that is to show the right way up
// comes in upside down (BMP rows run bottom-up), as the texture chain's nvdxt -flip hands it over.
std::string EncodeDxtBmp(const Image& image, TextureEncoding encoding, bool mipMaps);

// A 32-bit TGA (uncompressed, origin bottom left).
std::string EncodeTga(const Image& image);
// A TGA whose sides are above kMaxTextureSide, or whose header claims more pixels than the file can
// hold, is refused before anything is allocated.
std::optional<Image> DecodeTga(std::span<const std::uint8_t> bytes, std::string* why);

// A DDS with DXT1/3/5 data and, when `mipMaps`, every level down to 1 x 1.
std::string EncodeDds(const Image& image, TextureEncoding encoding, bool mipMaps);
// The top level of a DDS with DXT1/3/5 data.
std::optional<Image> DecodeDdsTopLevel(std::span<const std::uint8_t> bytes, std::string* why);

struct DdsInfo {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  TextureEncoding encoding = TextureEncoding::kDxt3;
  std::uint32_t mipMapCount = 0;
};
std::optional<DdsInfo> ReadDdsInfo(std::span<const std::uint8_t> bytes, std::string* why);

Image Resize(const Image& image, std::uint32_t width, std::uint32_t height);
Image FlipVertically(Image image);

// A picture for demonstrations and tests: stripes and a checker in colours chosen by `seed`.
Image Pattern(std::uint32_t width, std::uint32_t height, std::uint32_t seed);

// Bytes of a string as a span.
inline std::span<const std::uint8_t> AsBytes(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

}
