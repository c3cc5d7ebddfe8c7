// msvcrt where the C library will not do as it is: the stream table, which
// the image imports as data, the streams' functions that receive its entries,
// and the internal helpers of the runtime's start-up. Everything else msvcrt
// exports that the image uses is the C library's function of the same name
// (stand_in_tables.cpp); before mapping another one, check that msvcrt's
// semantics match (its _snprintf, for one, does not terminate a cut text).
#include <errno.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "peloader/stand_ins.h"

namespace pat::pe::msvcrt {

File _iob[3];

namespace {

constexpr int kLocks = 36;  // msvcrt's _TOTAL_LOCKS

FILE *StreamOf(File *stream) {
    if (stream == &_iob[0]) return stdin;
    if (stream == &_iob[1]) return stdout;
    if (stream == &_iob[2]) return stderr;
    return nullptr;  // the image opens no file, so there is no other stream
}

pthread_mutex_t *LockOf(int lock) {
    static pthread_mutex_t *locks = [] {
        static pthread_mutex_t all[kLocks];
        pthread_mutexattr_t attr;
        pthread_mutexattr_init(&attr);
        pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
        for (pthread_mutex_t &m : all) pthread_mutex_init(&m, &attr);
        pthread_mutexattr_destroy(&attr);
        return all;
    }();
    if (lock < 0 || lock >= kLocks) abort();  // msvcrt, too, has no such lock
    return &locks[lock];
}

}  // namespace

size_t fwrite(const void *data, size_t size, size_t count, File *stream) {
    FILE *to = StreamOf(stream);
    if (to == nullptr) errno = EBADF;
    return to == nullptr ? 0 : ::fwrite(data, size, count, to);
}

int vfprintf(File *stream, const char *format, va_list arguments) {
    FILE *to = StreamOf(stream);
    if (to == nullptr) errno = EBADF;
    return to == nullptr ? -1 : ::vfprintf(to, format, arguments);
}

void _initterm(void (**first)(), void (**end)()) {
    for (; first < end; ++first)
        if (*first != nullptr) (*first)();
}

void _lock(int lock) { pthread_mutex_lock(LockOf(lock)); }

void _unlock(int lock) { pthread_mutex_unlock(LockOf(lock)); }

// The runtime gave up (msvcrt prints its R6xxx message and leaves with 255).
void _amsg_exit(int code) {
    fprintf(stderr, "runtime error R60%02d\n", code);
    _exit(255);
}

}  // namespace pat::pe::msvcrt
