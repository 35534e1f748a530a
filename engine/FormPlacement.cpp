#include "engine/FormPlacement.h"

#include <algorithm>

namespace quirel {

int FormEdgeOnDesktop(int requested, const TDesktopAxis& desktop, int formExtent) {
  const int atLeast = std::max(requested, std::max(desktop.Origin, 0));
  return std::min(atLeast, desktop.Origin + desktop.Extent - formExtent);
}

int FormExtentForClient(int formExtent, int clientExtent, int requested) {
  return formExtent - clientExtent + std::max(requested, kMinFormClientSize);
}

}  // namespace quirel
