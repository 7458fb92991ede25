// Preloaded into the program by the end-to-end tests: stands for a network share that has stopped
// answering. Opening any file whose path starts with $VELTAMAR_HANGING_SHARE blocks, in whatever
// thread opens it, until the file $VELTAMAR_SHARE_BACK exists (the share answers again); then the
// open goes on as usual. An open that blocks on the program's main thread, where it would stop the
// frames, is written to standard error.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

static void waitWhileHanging(const char* path) {
    const char* share = getenv("VELTAMAR_HANGING_SHARE");
    if (!share || !*share || !path || strncmp(path, share, strlen(share)) != 0) return;
    const char* back = getenv("VELTAMAR_SHARE_BACK");
    if (gettid() == getpid()) fprintf(stderr, "hanging share: %s opened on the main thread\n", path);
    while (!back || access(back, F_OK) != 0) usleep(20000);
}

static mode_t modeOf(int flags, va_list arguments) {
    return (flags & O_CREAT) || (flags & __O_TMPFILE) == __O_TMPFILE ? (mode_t)va_arg(arguments, int) : 0;
}

// Each of the C library's ways of opening a file waits first, then opens as asked.
#define WAITING_OPEN(name, ...)                                                     \
    {                                                                               \
        va_list arguments;                                                          \
        va_start(arguments, flags);                                                 \
        const mode_t mode = modeOf(flags, arguments);                               \
        va_end(arguments);                                                          \
        waitWhileHanging(path);                                                     \
        static int (*real)();                                                       \
        if (!real) real = (int (*)())dlsym(RTLD_NEXT, name);                        \
        return real(__VA_ARGS__, flags, mode);                                      \
    }

int open(const char* path, int flags, ...) WAITING_OPEN("open", path)
int open64(const char* path, int flags, ...) WAITING_OPEN("open64", path)
int openat(int directory, const char* path, int flags, ...) WAITING_OPEN("openat", directory, path)
int openat64(int directory, const char* path, int flags, ...) WAITING_OPEN("openat64", directory, path)
