#include "image_codec.h"

#include <squish.h>
#include <stb_image.h>
#include <stb_image_resize.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>

#include "archive/byte_reader.h"

namespace wf::imaging {

namespace {

constexpr std::uint32_t FourCC(const char (&text)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

int SquishFlags(TextureEncoding encoding) {
  switch (encoding) {
    case TextureEncoding::kDxt1:
      return squish::kDxt1;
    case TextureEncoding::kDxt5:
      return squish::kDxt5;
    default:
      return squish::kDxt3;
  }
}

std::uint32_t EncodingFourCC(TextureEncoding encoding) {
  switch (encoding) {
    case TextureEncoding::kDxt1:
      return FourCC("DXT1");
    case TextureEncoding::kDxt5:
      return FourCC("DXT5");
    default:
      return FourCC("DXT3");
  }
}

void PutU16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The picture and its smaller levels down to 1 x 1 (or the picture alone).
std::vector<Image> Levels(const Image& image, bool mipMaps) {
  std::vector<Image> levels{image};
  const int count = mipMaps ? FullMipCount(image.width, image.height) : 1;
  for (int level = 1; level < count; ++level) {
    const Image& previous = levels.back();
    levels.push_back(Resize(previous, std::max<std::uint32_t>(1, previous.width / 2),
                            std::max<std::uint32_t>(1, previous.height / 2)));
  }
  return levels;
}

// The DXT blocks of every level, back to back.
std::string CompressLevels(const std::vector<Image>& levels, TextureEncoding encoding) {
  std::string data;
  for (const Image& level : levels) {
    std::string blocks(DxtLevelBytes(level.width, level.height, encoding), '\0');
    // The range fit is libsquish's fast compressor: the stand-ins favour speed over the last bit of
    // colour fidelity.
    squish::CompressImage(level.rgba.data(), static_cast<int>(level.width), static_cast<int>(level.height),
                          blocks.data(), SquishFlags(encoding) | squish::kColourRangeFit);
    data += blocks;
  }
  return data;
}

Image Decompress(std::span<const std::uint8_t> blocks, std::uint32_t width, std::uint32_t height,
                 TextureEncoding encoding) {
  Image image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  squish::DecompressImage(image.rgba.data(), static_cast<int>(width), static_cast<int>(height), blocks.data(),
                          SquishFlags(encoding));
  return image;
}

// A picture that stb_image reads (TGA, uncompressed BMP), within the size the tools accept.
std::optional<Image> LoadWithStb(std::span<const std::uint8_t> bytes, std::string* why) {
  const auto setWhy = [why](std::string text) {
    if (why != nullptr) *why = std::move(text);
  };
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT32_MAX)) {
    setWhy(bytes.empty() ? "the file is empty" : "the file is too large");
    return std::nullopt;
  }
  const int size = static_cast<int>(bytes.size());
  int width = 0, height = 0, components = 0;
  if (!stbi_info_from_memory(bytes.data(), size, &width, &height, &components)) {
    setWhy(std::string("not a picture stb_image reads: ") + stbi_failure_reason());
    return std::nullopt;
  }
  if (width <= 0 || height <= 0 || static_cast<std::uint32_t>(width) > kMaxTextureSide ||
      static_cast<std::uint32_t>(height) > kMaxTextureSide) {
    setWhy("a picture of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
    return std::nullopt;
  }
  unsigned char* pixels = stbi_load_from_memory(bytes.data(), size, &width, &height, &components, 4);
  if (pixels == nullptr) {
    setWhy(std::string("cannot be decoded: ") + stbi_failure_reason());
    return std::nullopt;
  }
  Image image{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), {}};
  image.rgba.assign(pixels, pixels + static_cast<std::size_t>(width) * height * 4);
  stbi_image_free(pixels);
  return image;
}

struct DdsLayout {
  DdsInfo info;
  std::size_t dataOffset = 0;
};

//   0   "DDS "
//   4   DDS_HEADER (124 bytes): size 124, flags, height, width, pitch or linear size, depth,
//       mip-map count, 11 reserved, pixel format (size 32, flags, FourCC, bit count, 4 masks),
//       caps, caps2, caps3, caps4, reserved
//   128 the levels, largest first
DdsLayout ReadDds(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes);
  if (in.U32() != FourCC("DDS ")) in.FailAt(0, "not a DDS file (no \"DDS \")");
  if (in.U32() != 124) in.Fail("a DDS header whose size is not 124");
  in.U32();  // flags
  DdsLayout layout;
  layout.info.height = in.U32();
  layout.info.width = in.U32();
  in.Skip(8);  // pitch or linear size, depth
  layout.info.mipMapCount = in.U32();
  in.Skip(11 * 4 + 8);  // reserved, pixel format size and flags
  const std::size_t fourCCOffset = in.Offset();
  const std::uint32_t fourCC = in.U32();
  if (fourCC == FourCC("DXT1")) {
    layout.info.encoding = TextureEncoding::kDxt1;
  } else if (fourCC == FourCC("DXT3")) {
    layout.info.encoding = TextureEncoding::kDxt3;
  } else if (fourCC == FourCC("DXT5")) {
    layout.info.encoding = TextureEncoding::kDxt5;
  } else {
    in.FailAt(fourCCOffset, "a pixel format other than DXT1, DXT3 or DXT5");
  }
  in.Seek(128);
  if (layout.info.width == 0 || layout.info.height == 0 || layout.info.width > kMaxTextureSide ||
      layout.info.height > kMaxTextureSide) {
    in.FailAt(12, "a texture of " + std::to_string(layout.info.width) + " x " +
                      std::to_string(layout.info.height) + " pixels");
  }
  in.Bytes(DxtLevelBytes(layout.info.width, layout.info.height, layout.info.encoding), "the top level");
  layout.dataOffset = 128;
  return layout;
}

}

std::optional<Image> DecodeBmpTexture(std::span<const std::uint8_t> bytes, std::string* why) {
  const std::optional<BmpTextureLayout> layout = ReadBmpTextureLayout(bytes, why);
  if (!layout) return std::nullopt;
  if (layout->encoding == TextureEncoding::kUncompressed) return LoadWithStb(bytes, why);
  Image image = Decompress(bytes.subspan(layout->pixelOffset, layout->topLevelBytes), layout->width,
                           layout->height, layout->encoding);
  return layout->bottomUp ? FlipVertically(std::move(image)) : image;
}

std::string EncodeDxtBmp(const Image& image, TextureEncoding encoding, bool mipMaps) {
  const std::string data = CompressLevels(Levels(image, mipMaps), encoding);
  std::uint16_t log2Side = 0;
  for (std::uint32_t side = std::max(image.width, image.height); side > 1; side /= 2) ++log2Side;
  std::string out = "BM";
  PutU32(out, static_cast<std::uint32_t>(kDxtPixelOffset + data.size()));
  PutU32(out, 0);
  PutU32(out, static_cast<std::uint32_t>(kDxtPixelOffset));
  PutU32(out, 40);
  PutU32(out, image.width);
  PutU32(out, image.height);
  PutU16(out, 1);
  PutU16(out, 16);
  PutU32(out, EncodingFourCC(encoding));
  PutU32(out, static_cast<std::uint32_t>(DxtLevelBytes(image.width, image.height, encoding)));
  for (int i = 0; i < 4; ++i) PutU32(out, 0);
  out += "FS70";
  PutU32(out, static_cast<std::uint32_t>(kFs70BlockSize));
  PutU32(out, 0);
  PutU16(out, 0);
  PutU16(out, log2Side);
  PutU32(out, 0);
  return out + data;
}

std::string EncodeTga(const Image& image) {
  std::string out;
  stbi_write_tga_with_rle = 0;
  const auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
  };
  stbi_write_tga_to_func(append, &out, static_cast<int>(image.width), static_cast<int>(image.height), 4,
                         image.rgba.data());
  return out;
}

std::optional<Image> DecodeTga(std::span<const std::uint8_t> bytes, std::string* why) {
  // What the header claims is checked against the file before the decoder allocates the picture:
  //   0 id length, 1 colour map type, 2 image type, 3 u16 first colour map entry, 5 u16 colour map
  //   length, 7 colour map entry bits, 8 x and y origin, 12 u16 width, 14 u16 height, 16 pixel bits,
  //   17 descriptor; then the id, the colour map and the pixels, run-length packets for image types
  //   9 to 11 (a packet header byte and one pixel at the most for 128 pixels).
  const auto fail = [why](std::string text) {
    if (why != nullptr) *why = std::move(text);
    return std::nullopt;
  };
  if (bytes.size() < 18) return fail("shorter than a TGA header");
  const auto u16 = [&bytes](std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
  };
  const std::uint32_t type = bytes[2], width = u16(12), height = u16(14), pixelBytes = (bytes[16] + 7u) / 8;
  if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11)
    return fail("not a TGA picture (image type " + std::to_string(type) + ")");
  if (width == 0 || height == 0 || width > kMaxTextureSide || height > kMaxTextureSide || pixelBytes == 0) {
    return fail("a TGA picture of " + std::to_string(width) + " x " + std::to_string(height) + " pixels (" +
                std::to_string(kMaxTextureSide) + " a side at the most)");
  }
  const std::uint64_t pixels = static_cast<std::uint64_t>(width) * height;
  const std::uint64_t least = 18 + bytes[0] + static_cast<std::uint64_t>(u16(5)) * ((bytes[7] + 7u) / 8) +
                              (type >= 9 ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes);
  if (bytes.size() < least) {
    return fail("a TGA picture of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels needs " + std::to_string(least) + " bytes or more; the file has " +
                std::to_string(bytes.size()));
  }
  return LoadWithStb(bytes, why);
}

std::string EncodeDds(const Image& image, TextureEncoding encoding, bool mipMaps) {
  const std::vector<Image> levels = Levels(image, mipMaps);
  constexpr std::uint32_t kCaps = 0x1, kHeight = 0x2, kWidth = 0x4, kPixelFormat = 0x1000,
                          kMipMapCount = 0x20000, kLinearSize = 0x80000;
  constexpr std::uint32_t kFourCCFormat = 0x4;
  constexpr std::uint32_t kComplex = 0x8, kTexture = 0x1000, kMipMap = 0x400000;
  std::string out = "DDS ";
  PutU32(out, 124);
  PutU32(out, kCaps | kHeight | kWidth | kPixelFormat | kLinearSize | (mipMaps ? kMipMapCount : 0));
  PutU32(out, image.height);
  PutU32(out, image.width);
  PutU32(out, static_cast<std::uint32_t>(DxtLevelBytes(image.width, image.height, encoding)));
  PutU32(out, 0);
  PutU32(out, mipMaps ? static_cast<std::uint32_t>(levels.size()) : 0);
  for (int i = 0; i < 11; ++i) PutU32(out, 0);
  PutU32(out, 32);
  PutU32(out, kFourCCFormat);
  PutU32(out, EncodingFourCC(encoding));
  for (int i = 0; i < 5; ++i) PutU32(out, 0);
  PutU32(out, kTexture | (mipMaps ? kComplex | kMipMap : 0));
  for (int i = 0; i < 4; ++i) PutU32(out, 0);
  return out + CompressLevels(levels, encoding);
}

std::optional<DdsInfo> ReadDdsInfo(std::span<const std::uint8_t> bytes, std::string* why) {
  try {
    return ReadDds(bytes).info;
  } catch (const FormatError& e) {
    if (why != nullptr) *why = e.what();
    return std::nullopt;
  }
}

std::optional<Image> DecodeDdsTopLevel(std::span<const std::uint8_t> bytes, std::string* why) {
  try {
    const DdsLayout layout = ReadDds(bytes);
    return Decompress(bytes.subspan(layout.dataOffset), layout.info.width, layout.info.height,
                      layout.info.encoding);
  } catch (const FormatError& e) {
    if (why != nullptr) *why = e.what();
    return std::nullopt;
  }
}

Image Resize(const Image& image, std::uint32_t width, std::uint32_t height) {
  if (width == image.width && height == image.height) return image;
  Image resized{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  stbir_resize_uint8(image.rgba.data(), static_cast<int>(image.width), static_cast<int>(image.height), 0,
                     resized.rgba.data(), static_cast<int>(width), static_cast<int>(height), 0, 4);
  return resized;
}

Image FlipVertically(Image image) {
  const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(image.width) * 4;
  const auto rowStart = [&](std::uint32_t y) {
    return image.rgba.begin() + row * static_cast<std::ptrdiff_t>(y);
  };
  for (std::uint32_t top = 0; top < image.height / 2; ++top) {
    std::swap_ranges(rowStart(top), rowStart(top) + row, rowStart(image.height - 1 - top));
  }
  return image;
}

Image Pattern(std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
  Image image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  const std::uint8_t base[3] = {static_cast<std::uint8_t>(60 + seed * 70 % 190),
                                static_cast<std::uint8_t>(90 + seed * 40 % 160),
                                static_cast<std::uint8_t>(120 + seed * 100 % 130)};
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint8_t* pixel = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      const bool checker = ((x / 32) + (y / 32)) % 2 == 0;
      const bool stripe = (y * 8 / std::max<std::uint32_t>(height, 1)) % 2 == 0;
      for (int c = 0; c < 3; ++c) {
        const int shade =
            base[c] + (checker ? 40 : -40) + (stripe ? 0 : 25) - static_cast<int>(y * 60 / height);
        pixel[c] = static_cast<std::uint8_t>(std::clamp(shade, 0, 255));
      }
      pixel[3] = 255;
    }
  }
  return image;
}

}
