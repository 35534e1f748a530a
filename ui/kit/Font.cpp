#include "ui/kit/Font.h"

#include <map>
#include <memory>
#include <tuple>

namespace quirel::kit {
namespace {

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using FontPtr = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

}  // namespace

HFONT FontHandle(const TFont& font, UINT dpi) {
  static std::map<std::tuple<std::wstring, int, bool>, FontPtr> cache;
  const int height = FontHeightAt(font, dpi);
  auto key = std::make_tuple(font.Name, height, font.Bold);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  font.Name.copy(lf.lfFaceName, LF_FACESIZE - 1);
  HFONT handle = CreateFontIndirectW(&lf);
  if (!handle) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  else cache.emplace(std::move(key), FontPtr(handle));
  return handle;
}

}  // namespace quirel::kit
