#include "Screenshot.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quirel::test {
namespace {

uint32_t Crc32(const std::string& data) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : data) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBig32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

std::string Chunk(const char* type, const std::string& data) {
  std::string out;
  PutBig32(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutBig32(out, Crc32(body));
  return out;
}

// A zlib stream of stored (uncompressed) blocks: large, but needs no compressor.
std::string StoredZlib(const std::string& raw) {
  std::string out = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  size_t at = 0;
  do {
    const size_t n = std::min<size_t>(raw.size() - at, 65535);
    out.push_back(at + n >= raw.size() ? 1 : 0);
    out.push_back(static_cast<char>(n & 0xFF));
    out.push_back(static_cast<char>(n >> 8));
    out.push_back(static_cast<char>(~n & 0xFF));
    out.push_back(static_cast<char>((~n >> 8) & 0xFF));
    out.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  PutBig32(out, (b << 16) | a);
  return out;
}

// 32-bit top-down pixels of a memory DC's bitmap as a PNG file.
bool SavePixels(const uint8_t* px, int width, int height, const std::wstring& path) {
  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
  for (int row = 0; row < height; ++row) {
    raw.push_back('\0');
    for (int col = 0; col < width; ++col) {
      const uint8_t* p = px + (static_cast<size_t>(row) * width + col) * 4;
      raw.push_back(static_cast<char>(p[2]));
      raw.push_back(static_cast<char>(p[1]));
      raw.push_back(static_cast<char>(p[0]));
    }
  }
  std::string header;
  PutBig32(header, static_cast<uint32_t>(width));
  PutBig32(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) +
                          Chunk("IDAT", StoredZlib(raw)) + Chunk("IEND", "");
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

}  // namespace

bool SaveWindowScreenshot(HWND window, const std::wstring& path) {
  RECT frame, client;
  if (!GetWindowRect(window, &frame) || !GetClientRect(window, &client)) return false;
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down rows, as PNG stores them
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);

  // The frame as the system draws a dialog's: border and active caption with the title.
  RECT all{0, 0, width, height};
  FillRect(memory, &all, GetSysColorBrush(COLOR_ACTIVEBORDER));
  DrawEdge(memory, &all, EDGE_RAISED, BF_RECT);
  const int left = origin.x - frame.left, top = origin.y - frame.top;
  RECT caption{left, left, width - left, top - 1};
  DrawCaption(window, memory, &caption, DC_ACTIVE | DC_TEXT | DC_GRADIENT);
  // The client area as the display shows it.
  const bool copied = BitBlt(memory, left, top, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const bool saved = copied && SavePixels(static_cast<const uint8_t*>(bits), width, height, path);

  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

}  // namespace quirel::test
