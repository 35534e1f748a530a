// The root class every registered class descends from, with its public class methods and
// the methods only object wrappers show.
#pragma once

#include "bridge/RttiTypes.h"

namespace quirel::rtti {

const TRttiClass* RootClass();

}  // namespace quirel::rtti
