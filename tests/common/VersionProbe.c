/* Carries a version resource for the version tests; exports one function so that it links. */
__declspec(dllexport) int version_probe(void) { return 0; }
