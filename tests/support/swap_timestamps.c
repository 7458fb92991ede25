// Preloaded into the program by the end-to-end tests: records the time of every buffer swap
// (GLX and EGL) and writes them, one per line in milliseconds, to $SWAP_TIMESTAMPS_OUT when the
// program ends (normally or on SIGTERM/SIGINT).
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

enum { CAPACITY = 1 << 20 };
static double* stamps;
static long count;
static int written;

static double nowMs(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static void record(void) {
    if (!stamps) stamps = malloc(sizeof(double) * CAPACITY);
    if (stamps && count < CAPACITY) stamps[count++] = nowMs();
}

static void writeOut(void) {
    if (written) return;
    written = 1;
    const char* path = getenv("SWAP_TIMESTAMPS_OUT");
    if (!path) return;
    FILE* f = fopen(path, "w");
    if (!f) return;
    for (long i = 0; i < count; ++i) fprintf(f, "%.3f\n", stamps[i]);
    fclose(f);
}

static void onSignal(int sig) {
    writeOut();
    _exit(128 + sig);
}

__attribute__((constructor)) static void start(void) {
    signal(SIGTERM, onSignal);
    signal(SIGINT, onSignal);
    atexit(writeOut);
}

void glXSwapBuffers(Display* dpy, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable);
    if (!real) real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    record();
    real(dpy, drawable);
}

EGLBoolean eglSwapBuffers(EGLDisplay dpy, EGLSurface surface) {
    static EGLBoolean (*real)(EGLDisplay, EGLSurface);
    if (!real) real = (EGLBoolean(*)(EGLDisplay, EGLSurface))dlsym(RTLD_NEXT, "eglSwapBuffers");
    record();
    return real(dpy, surface);
}
