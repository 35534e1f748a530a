// TBridge's registration table: what pages see of the identity store.
#pragma once

#include "bridge/RttiTypes.h"
#include "bridge/RttiValue.h"

namespace quirel {

const TRttiClass* BridgeClass();

// The class TBridge as a class-reference value: the root the extension is registered with.
TValue BridgeClassValue();

}  // namespace quirel
