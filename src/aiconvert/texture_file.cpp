#include "aiconvert/texture_file.h"

#include <algorithm>

#include "archive/byte_reader.h"

namespace wf {

namespace {

constexpr std::uint32_t FourCC(char a, char b, char c, char d) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

BmpTextureLayout ReadLayout(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes);
  if (in.U8() != 'B' || in.U8() != 'M') in.FailAt(0, "not a BMP file (no \"BM\")");
  in.U32();  // file size: writers disagree on it, the data decide
  in.Skip(4);
  BmpTextureLayout layout;
  layout.pixelOffset = in.U32();
  const std::uint32_t headerSize = in.U32();
  if (headerSize < 40)
    in.Fail("a bitmap header of " + std::to_string(headerSize) + " bytes (40 or more expected)");
  const std::int32_t width = in.I32();
  const std::int32_t height = in.I32();
  in.U16();  // planes
  layout.bitCount = in.U16();
  layout.compression = in.U32();
  if (width <= 0 || static_cast<std::uint32_t>(width) > kMaxTextureSide || height == 0 ||
      height == INT32_MIN || static_cast<std::uint32_t>(height < 0 ? -height : height) > kMaxTextureSide) {
    in.FailAt(18, "a texture of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
  }
  layout.width = static_cast<std::uint32_t>(width);
  layout.height = static_cast<std::uint32_t>(height < 0 ? -height : height);
  layout.bottomUp = height > 0;
  if (layout.pixelOffset < 14 + headerSize || layout.pixelOffset > bytes.size()) {
    in.FailAt(10, "pixel data at offset " + std::to_string(layout.pixelOffset) + " in a file of " +
                      std::to_string(bytes.size()) + " bytes");
  }
  if (layout.pixelOffset >= kFs70BlockSize + 54) {
    const auto block = bytes.subspan(layout.pixelOffset - kFs70BlockSize, 4);
    layout.hasFs70 = std::equal(block.begin(), block.end(), "FS70");
  }

  switch (layout.compression) {
    case FourCC('D', 'X', 'T', '1'):
      layout.encoding = TextureEncoding::kDxt1;
      break;
    case FourCC('D', 'X', 'T', '3'):
      layout.encoding = TextureEncoding::kDxt3;
      break;
    case FourCC('D', 'X', 'T', '5'):
      layout.encoding = TextureEncoding::kDxt5;
      break;
    case kBiRgb:
    case kBiBitfields:
      if (layout.bitCount != 16 && layout.bitCount != 24 && layout.bitCount != 32) {
        in.FailAt(28, std::to_string(layout.bitCount) + " bits a pixel (16, 24 or 32 expected)");
      }
      if (layout.compression == kBiBitfields) {
        if (layout.bitCount == 24) in.FailAt(30, "colour masks with 24 bits a pixel");
        in.Seek(14 + 40);
        for (std::uint32_t& mask : layout.masks) mask = in.U32();
      }
      break;
    default:
      in.FailAt(30,
                "compression " + std::to_string(layout.compression) + " (uncompressed or DXT1/3/5 expected)");
  }

  const std::size_t available = bytes.size() - layout.pixelOffset;
  if (layout.encoding == TextureEncoding::kUncompressed) {
    const std::size_t rowBytes = (static_cast<std::size_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
    layout.topLevelBytes = rowBytes * layout.height;
    layout.levelsPresent = available >= layout.topLevelBytes ? 1 : 0;
  } else {
    layout.topLevelBytes = DxtLevelBytes(layout.width, layout.height, layout.encoding);
    std::size_t used = 0;
    std::uint32_t w = layout.width, h = layout.height;
    for (int level = 0; level < FullMipCount(layout.width, layout.height); ++level) {
      used += DxtLevelBytes(w, h, layout.encoding);
      if (used > available) break;
      ++layout.levelsPresent;
      w = std::max<std::uint32_t>(1, w / 2);
      h = std::max<std::uint32_t>(1, h / 2);
    }
  }
  if (layout.levelsPresent == 0) {
    in.FailAt(layout.pixelOffset, "the pixel data end early: " + std::to_string(available) + " bytes of " +
                                      std::to_string(layout.topLevelBytes));
  }
  return layout;
}

}

int FullMipCount(std::uint32_t width, std::uint32_t height) {
  int levels = 1;
  for (std::uint32_t side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

std::size_t DxtLevelBytes(std::uint32_t width, std::uint32_t height, TextureEncoding encoding) {
  const std::size_t blocks = static_cast<std::size_t>((width + 3) / 4) * ((height + 3) / 4);
  return blocks * (encoding == TextureEncoding::kDxt1 ? 8 : 16);
}

std::optional<BmpTextureLayout> ReadBmpTextureLayout(std::span<const std::uint8_t> bytes, std::string* why) {
  try {
    return ReadLayout(bytes);
  } catch (const FormatError& e) {
    if (why != nullptr) *why = e.what();
    return std::nullopt;
  }
}

}
