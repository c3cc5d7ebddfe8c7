// A host as a vendor writes it: pat.h and the exports, nothing else. Prints
// the module's version; built without a C runtime (PAT_HOST_NO_CRT) it only
// calls the exports, from its own entry point.
#include <pat/pat.h>

static bool ReadVersion(DllVersion *version) {
    PatSetLocale("en-US");  // fails (no such resource language): the default texts stay
    version->dwSize = sizeof *version;
    return PatGetDllVersion(version);
}

#if defined(PAT_HOST_NO_CRT)
extern "C" int HostEntry() {
    DllVersion version;
    return ReadVersion(&version) ? 0 : 1;
}
#else
#include <cstdio>
int main() {
    DllVersion version;
    if (!ReadVersion(&version)) return 1;
    uint32_t v = version.dwFileVersion;
    std::printf("pat %u.%u.%u.%u\n", v >> 24, (v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}
#endif
