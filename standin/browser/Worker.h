// Work that blocks (network, disk) runs on the system's thread pool, never on
// the engine's UI thread.
#pragma once

#include <functional>

namespace quirel::standin {

// False when the pool refused the work (it is destroyed unrun then).
bool RunOnWorker(std::function<void()> work);

}  // namespace quirel::standin
