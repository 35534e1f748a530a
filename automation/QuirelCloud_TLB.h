// The type library QuirelCloud on the C++ side: LIBID_QuirelCloud, IID_IQuirelApplication,
// CLSID_QuirelApplication and the declaration of IQuirelApplication, all generated from
// QuirelCloud.idl so that they cannot drift from the embedded library.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "automation/QuirelCloud.h"
