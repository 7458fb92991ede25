// Preloaded into the peer program by the benchmark: counts its buffer swaps (GLX or EGL) and, from the 60th
// swap on, its process CPU time and wall time, and writes one line to $PEER_FRAMES_OUT at the
// end (normal exit, SIGTERM or SIGINT):
//     peer frames=F cpu_ms_per_frame=X wall_ms_per_frame=Y
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

enum { WARM_UP = 60 };
static long swaps;
static double cpuStart, wallStart;
static int reported;

static double clockMs(clockid_t clock) {
    struct timespec ts;
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static void report(void) {
    if (reported || swaps <= WARM_UP) return;
    reported = 1;
    const long frames = swaps - WARM_UP;
    const char* path = getenv("PEER_FRAMES_OUT");
    FILE* out = path ? fopen(path, "w") : stderr;
    if (!out) return;
    fprintf(out, "peer frames=%ld cpu_ms_per_frame=%.3f wall_ms_per_frame=%.3f\n", frames,
            (clockMs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) / frames, (clockMs(CLOCK_MONOTONIC) - wallStart) / frames);
    if (out != stderr) fclose(out);
}

static void onSignal(int sig) {
    report();
    _exit(128 + sig);
}

__attribute__((constructor)) static void start(void) {
    signal(SIGTERM, onSignal);
    signal(SIGINT, onSignal);
    atexit(report);
}

static void counted(void) {
    if (++swaps == WARM_UP) {
        cpuStart = clockMs(CLOCK_PROCESS_CPUTIME_ID);
        wallStart = clockMs(CLOCK_MONOTONIC);
    }
}

void glXSwapBuffers(Display* dpy, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable);
    if (!real) real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(dpy, drawable);
    counted();
}

EGLBoolean eglSwapBuffers(EGLDisplay dpy, EGLSurface surface) {
    static EGLBoolean (*real)(EGLDisplay, EGLSurface);
    if (!real) real = (EGLBoolean(*)(EGLDisplay, EGLSurface))dlsym(RTLD_NEXT, "eglSwapBuffers");
    const EGLBoolean result = real(dpy, surface);
    counted();
    return result;
}
