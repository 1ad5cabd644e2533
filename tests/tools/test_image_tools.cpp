// The image-tool stand-ins: the BMP forms a user's textures come in, and how the tools fail.
#ifdef WINGFOLD_IMAGE_TOOLS_DIR

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "image_codec.h"
#include "platform/process.h"
#include "support/file_fixtures.h"
#include "support/os.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::Write;

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 2 x 2 uncompressed BMP: red top left, green top right, blue bottom left, white bottom right,
// rows bottom-up and padded to 4 bytes.
std::string UncompressedBmp(int bits, bool bitfields) {
  // Bottom row first, each colour 0xBBGGRR.
  const std::uint32_t colours[2][2] = {{0xFF0000, 0xFFFFFF}, {0x0000FF, 0x00FF00}};
  std::string pixels;
  for (const auto& row : colours) {
    std::string line;
    for (std::uint32_t c : row) {
      const std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
      if (bits == 16 && bitfields) Put(line, (r >> 3) << 11 | (g >> 2) << 5 | b >> 3, 2);   // 565
      if (bits == 16 && !bitfields) Put(line, (r >> 3) << 10 | (g >> 3) << 5 | b >> 3, 2);  // 555
      if (bits >= 24) Put(line, b | g << 8 | r << 16, bits / 8);
    }
    while (line.size() % 4 != 0) line.push_back('\0');
    pixels += line;
  }
  const std::uint32_t offset = 54 + (bitfields ? 12 : 0);
  std::string bmp = "BM";
  Put(bmp, offset + static_cast<std::uint32_t>(pixels.size()), 4);
  Put(bmp, 0, 4);
  Put(bmp, offset, 4);
  for (std::uint32_t v : {40u, 2u, 2u}) Put(bmp, v, 4);
  Put(bmp, 1, 2);
  Put(bmp, static_cast<std::uint32_t>(bits), 2);
  Put(bmp, bitfields ? 3 : 0, 4);
  for (int i = 0; i < 5; ++i) Put(bmp, 0, 4);
  if (bitfields) {
    for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) Put(bmp, mask, 4);
  }
  return bmp + pixels;
}

TEST(ImageToolStandInTest, ReadsUncompressedTexturesTheRightWayUp) {
  struct Case {
    int bits;
    bool bitfields;
  } cases[] = {{16, false}, {16, true}, {24, false}, {32, false}};
  for (const Case& c : cases) {
    const std::string bmp = UncompressedBmp(c.bits, c.bitfields);
    std::string why;
    const auto image = imaging::DecodeBmpTexture(imaging::AsBytes(bmp), &why);
    ASSERT_TRUE(image) << c.bits << ": " << why;
    // Top left red, top right green, bottom left blue.
    EXPECT_GT(image->rgba[0], 240) << c.bits;
    EXPECT_GT(image->rgba[4 + 1], 240) << c.bits;
    EXPECT_GT(image->rgba[8 + 2], 240) << c.bits;
    EXPECT_LT(image->rgba[8 + 0], 16) << c.bits;
  }
}

// A file that is no texture, and a run-length TGA whose header claims more than the file holds.
TEST(ImageToolStandInTest, UnreadableInputFailsWithoutOutput) {
  test::TempFolder temp;
  Write(temp / "bad.bmp", "BM not really");
  Write(temp / "huge.tga", std::string("\0\0\x0A", 3) + std::string(9, '\0') +
                               std::string("\x00\x10\x00\x10\x20\x08", 6) + std::string(100, '\xFF'));
  for (const char* input : {"bad.bmp", "huge.tga"}) {
    const auto run = test::RunProgram(fs::path(WINGFOLD_IMAGE_TOOLS_DIR) / "imagetool",
                                      {"-nogui", "-mip", "-DXT3", "-o", "out.bmp", "-e", "bmp", input}, {},
                                      true, temp.path());
    EXPECT_EQ(run.exitCode, 1) << input << run.out;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), {}), 2);  // nothing but the inputs
}

}
}

#endif
