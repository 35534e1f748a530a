// The one definition of the library's GUIDs.
#include <windows.h>
#include <initguid.h>

#include "automation/QuirelCloud_TLB.h"
