#include "tests/e2e/png_inspect.h"

#include <cstdio>

#include "tests/support/png_builder.h"

namespace fontscan::testing {

namespace {

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

std::string Colour(std::uint32_t colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour));
  return text;
}

}  // namespace

::testing::AssertionResult IsSheet(std::string_view file, const Image& expected) {
  if (file.substr(0, 8) != png_builder::Signature()) {
    return ::testing::AssertionFailure() << "no PNG signature";
  }
  std::vector<std::string> types;
  std::string header;
  for (std::size_t at = 8; at < file.size();) {
    if (file.size() - at < 12) return ::testing::AssertionFailure() << "truncated chunk";
    const std::uint32_t length = BigEndian(file, at);
    if (file.size() - at - 12 < length) return ::testing::AssertionFailure() << "short chunk";
    const std::string type(file.substr(at + 4, 4));
    const std::string_view data = file.substr(at + 8, length);
    if (BigEndian(file, at + 8 + length) != png_builder::ChunkCrc(type, data)) {
      return ::testing::AssertionFailure() << "wrong CRC in " << type;
    }
    if (type == "IHDR") header = std::string(data);
    types.push_back(type);
    at += 12 + length;
  }
  // IHDR, PLTE exactly when the colour type is palette, then IDAT chunks, then IEND as the very
  // last bytes.
  if (types.size() < 3 || types.front() != "IHDR" || types.back() != "IEND") {
    return ::testing::AssertionFailure() << "chunks not IHDR ... IEND";
  }
  if (header.size() != 13) return ::testing::AssertionFailure() << "IHDR of " << header.size();
  const int depth = static_cast<std::uint8_t>(header[8]);
  const int colour_type = static_cast<std::uint8_t>(header[9]);
  const bool palette = colour_type == 3;
  for (std::size_t i = 1; i + 1 < types.size(); ++i) {
    const std::string wanted = palette && i == 1 ? "PLTE" : "IDAT";
    if (types[i] != wanted) return ::testing::AssertionFailure() << "chunk " << types[i];
  }
  png_builder::Header wanted;
  wanted.width = static_cast<std::uint32_t>(expected.width);
  wanted.height = static_cast<std::uint32_t>(expected.height);
  wanted.depth = static_cast<std::uint8_t>(depth);
  wanted.colour_type = static_cast<std::uint8_t>(colour_type);
  if (header != png_builder::HeaderData(wanted)) {
    return ::testing::AssertionFailure()
           << "IHDR is not " << expected.width << " x " << expected.height << ", not interlaced";
  }
  // fontsheet's own choice: a palette of at most the five colours of a sheet, each pixel in the
  // fewest bits that hold the palette.
  if (!palette) return ::testing::AssertionFailure() << "colour type " << colour_type;
  std::string colours;
  for (std::size_t at = 8; at < file.size() && colours.empty();) {
    const std::uint32_t length = BigEndian(file, at);
    if (file.substr(at + 4, 4) == "PLTE") colours = std::string(file.substr(at + 8, length));
    at += 12 + length;
  }
  const std::size_t entries = colours.size() / 3;
  const int fewest_bits = entries <= 2 ? 1 : entries <= 4 ? 2 : 4;
  if (entries > 5 || depth != fewest_bits) {
    return ::testing::AssertionFailure() << entries << " palette entries at depth " << depth;
  }
  int channels = 0;
  const std::optional<Image> image = DecodePng(file, &channels);
  if (!image) return ::testing::AssertionFailure() << "stb_image cannot decode it";
  if (channels != 3) return ::testing::AssertionFailure() << channels << " channels";
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      if (image->at(x, y) != expected.at(x, y)) {
        return ::testing::AssertionFailure()
               << "pixel " << x << ", " << y << " is " << Colour(image->at(x, y)) << ", not "
               << Colour(expected.at(x, y));
      }
    }
  }
  return ::testing::AssertionSuccess();
}

std::vector<png_builder::Chunk> PngChunks(const Image& image, const PngForm& form) {
  png_builder::Header header;
  header.width = static_cast<std::uint32_t>(image.width);
  header.height = static_cast<std::uint32_t>(image.height);
  header.depth = form.depth;
  header.colour_type = form.colour_type;
  header.interlace = form.interlaced ? 1 : 0;
  const auto sample = form.sample ? form.sample : [](std::uint32_t colour) {
    return static_cast<std::uint64_t>(colour);
  };
  const std::string raw = png_builder::Scanlines(
      header, [&](std::uint32_t x, std::uint32_t y) { return sample(image.at(x, y)); },
      [](int pass, std::uint32_t row) { return static_cast<int>((row + pass) % 5); });
  std::vector<png_builder::Chunk> chunks = png_builder::StandardChunks(
      header, form.palette, png_builder::Compress(raw), form.idat_count);
  const std::size_t first_data = form.palette.empty() ? 1 : 2;
  chunks.insert(chunks.begin() + first_data, form.before_data.begin(), form.before_data.end());
  chunks.insert(chunks.end() - 1, form.after_data.begin(), form.after_data.end());
  return chunks;
}

std::string EncodePng(const Image& image, const PngForm& form) {
  return png_builder::Assemble(PngChunks(image, form));
}

}  // namespace fontscan::testing
