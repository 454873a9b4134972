#include "geodata/basemap/png_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kartela::basemap {
namespace {

std::uint32_t Crc32(std::string_view bytes) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : bytes)
    crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void PutU32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, std::string_view type, std::string_view data) {
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type) + std::string(data);
  out += body;
  PutU32(out, Crc32(body));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string StoredZlib(const std::string& raw) {
  constexpr std::size_t kBlock = 65535;
  std::string out("\x78\x01", 2);
  std::uint32_t a = 1, b = 0;
  for (const char byte : raw) {
    a = (a + static_cast<std::uint8_t>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  for (std::size_t start = 0; start == 0 || start < raw.size(); start += kBlock) {
    const std::size_t size = std::min(kBlock, raw.size() - start);
    out += static_cast<char>(start + size >= raw.size() ? 1 : 0);
    for (const std::uint16_t v :
         {static_cast<std::uint16_t>(size), static_cast<std::uint16_t>(~size)}) {
      out += static_cast<char>(v & 0xFF);
      out += static_cast<char>(v >> 8);
    }
    out.append(raw, start, size);
  }
  PutU32(out, (b << 16) | a);
  return out;
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb) {
  std::string header;
  PutU32(header, static_cast<std::uint32_t>(width));
  PutU32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  std::string raw;
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // filter: none
    raw.append(reinterpret_cast<const char*>(rgb.data()) + y * row, row);
  }
  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", "");
  return png;
}

}  // namespace kartela::basemap
