/* A library standing in for libcef.dll where only its file matters: version resource,
   machine type, or the lack of the engine's exports. */
__declspec(dllexport) int fixture_library(void) { return 0; }
