#include "screenshot.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace velmora {

namespace {

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

void AppendChunk(std::string& out, const char (&type)[5], const std::string& data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  AppendBigEndian(out,
                  static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                   static_cast<uInt>(body.size()))));
}

// PNG, 8-bit RGB, rows unfiltered: pixels are 32-bit BGRX, top row first.
bool WritePng(const std::wstring& path, int width, int height, const std::uint8_t* pixels) {
  std::string rows;
  rows.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
  for (int y = 0; y < height; ++y) {
    rows += '\0';
    const std::uint8_t* pixel = pixels + static_cast<std::size_t>(y) * 4 * width;
    for (int x = 0; x < width; ++x, pixel += 4) {
      rows += static_cast<char>(pixel[2]);
      rows += static_cast<char>(pixel[1]);
      rows += static_cast<char>(pixel[0]);
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return false;
  }
  packed.resize(packed_size);
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", {});
  std::ofstream file(path.c_str(), std::ios::binary);
  file.write(png.data(), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace

bool SaveScreenshot(HWND window, const std::wstring& path) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool saved = false;
  if (bitmap != nullptr) {
    HGDIOBJ before = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
      GdiFlush();
      saved = WritePng(path, width, height, static_cast<const std::uint8_t*>(bits));
    }
    SelectObject(memory, before);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

}  // namespace velmora
