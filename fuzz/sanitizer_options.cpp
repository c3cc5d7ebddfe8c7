// Linked into every target. LeakSanitizer stops the world with ptrace when
// the process exits, which qemu-user does not offer: under qemu-i386 the
// target would hang there. The module's targets count the heap's live blocks
// themselves.
extern "C" const char *__asan_default_options() { return "detect_leaks=0"; }
