#include "desktop/layer_surface.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <gdk/gdkwayland.h>
#include <gtk-layer-shell.h>
#include <gtk/gtk.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "desktop/wayland_outputs.h"

namespace veltamar {

namespace {

// Eight bits a colour without alpha where there is such a buffer: the compositor then shows the
// aquarium opaque whatever alpha the scene leaves in its pixels, and composites the plain format
// it knows best. A depth buffer of 32 bits where there is one, else 24 (16 last), as the aquarium
// view asks for its pixel format.
EGLConfig chooseConfig(EGLDisplay display) {
    for (EGLint depthBits : {32, 24, 16}) {
        const EGLint attributes[] = {EGL_SURFACE_TYPE,
                                     EGL_WINDOW_BIT,
                                     EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT,
                                     EGL_RED_SIZE,
                                     8,
                                     EGL_GREEN_SIZE,
                                     8,
                                     EGL_BLUE_SIZE,
                                     8,
                                     EGL_DEPTH_SIZE,
                                     depthBits,
                                     EGL_NONE};
        EGLint count = 0;
        if (!eglChooseConfig(display, attributes, nullptr, 0, &count) || count == 0) continue;
        std::vector<EGLConfig> configs(static_cast<std::size_t>(count));
        eglChooseConfig(display, attributes, configs.data(), count, &count);
        configs.resize(static_cast<std::size_t>(count));
        const auto value = [display](EGLConfig config, EGLint attribute) {
            EGLint result = -1;
            return eglGetConfigAttrib(display, config, attribute, &result) ? result : -1;
        };
        for (const bool exactColour : {true, false})
            for (EGLConfig config : configs)
                if (value(config, EGL_ALPHA_SIZE) == 0 && (!exactColour || value(config, EGL_RED_SIZE) == 8))
                    return config;
        return configs.front();
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<LayerSurface> LayerSurface::open(const OutputLocator& locator, bool idleScreen) {
    GdkMonitor* monitor = findWaylandMonitor(locator.waylandGlobal);
    if (!monitor) return nullptr;
    return std::unique_ptr<LayerSurface>(new LayerSurface(monitor, idleScreen));
}

LayerSurface::LayerSurface(GdkMonitor* monitor, bool idleScreen) : monitor(monitor), idleScreen(idleScreen) {
    g_object_ref(monitor);
    GtkWindow* gtkWindow = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    window = GTK_WIDGET(gtkWindow);
    gtk_window_set_title(gtkWindow, "Veltamar Aquarium");
    gtk_layer_init_for_window(gtkWindow);
    gtk_layer_set_namespace(gtkWindow, idleScreen ? "veltamar-idle" : "veltamar-wallpaper");
    gtk_layer_set_layer(gtkWindow,
                        idleScreen ? GTK_LAYER_SHELL_LAYER_OVERLAY : GTK_LAYER_SHELL_LAYER_BACKGROUND);
    gtk_layer_set_monitor(gtkWindow, monitor);
    for (GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_LEFT, GTK_LAYER_SHELL_EDGE_RIGHT,
                                   GTK_LAYER_SHELL_EDGE_TOP, GTK_LAYER_SHELL_EDGE_BOTTOM})
        gtk_layer_set_anchor(gtkWindow, edge, TRUE);
    gtk_layer_set_exclusive_zone(gtkWindow, -1);
    gtk_layer_set_keyboard_mode(
        gtkWindow, idleScreen ? GTK_LAYER_SHELL_KEYBOARD_MODE_EXCLUSIVE : GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
    GdkRectangle geometry{};
    gdk_monitor_get_geometry(monitor, &geometry);
    gtk_window_set_default_size(gtkWindow, std::max(geometry.width, 1), std::max(geometry.height, 1));
    // The aquarium is drawn with EGL on the window's own surface; GTK must never attach a buffer
    // of its own there, or a frame would be painted over with its empty one.
    gtk_widget_set_app_paintable(window, TRUE);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_widget_set_double_buffered(window, FALSE);
    G_GNUC_END_IGNORE_DEPRECATIONS
    if (idleScreen)
        gtk_widget_add_events(window, GDK_KEY_PRESS_MASK | GDK_BUTTON_PRESS_MASK | GDK_POINTER_MOTION_MASK |
                                          GDK_ENTER_NOTIFY_MASK | GDK_SCROLL_MASK | GDK_TOUCH_MASK);
    connectSignals();
    gtk_widget_show(window);
}

void LayerSurface::connectSignals() {
    g_signal_connect(window, "size-allocate",
                     G_CALLBACK(+[](GtkWidget*, GdkRectangle* allocation, gpointer self) {
                         static_cast<LayerSurface*>(self)->allocated(allocation->width, allocation->height);
                     }),
                     this);
    // The surface exists once the window is mapped, which may come after its first allocation.
    g_signal_connect_after(
        window, "map",
        G_CALLBACK(+[](GtkWidget*, gpointer self) { static_cast<LayerSurface*>(self)->rescale(); }), this);
    // The compositor closes a layer surface whose output goes away; gtk-layer-shell then closes the
    // window. It is kept until this object goes.
    g_signal_connect(window, "delete-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
                         static_cast<LayerSurface*>(self)->finish(SurfaceEnd::OutputGone);
                         return TRUE;
                     }),
                     this);
    g_signal_connect(monitor, "notify::scale-factor",
                     G_CALLBACK(+[](GdkMonitor*, GParamSpec*, gpointer self) {
                         static_cast<LayerSurface*>(self)->rescale();
                     }),
                     this);
    monitorRemovedHandler = g_signal_connect(gdk_display_get_default(), "monitor-removed",
                                             G_CALLBACK(+[](GdkDisplay*, GdkMonitor* gone, gpointer data) {
                                                 auto* self = static_cast<LayerSurface*>(data);
                                                 if (gone == self->monitor)
                                                     self->finish(SurfaceEnd::OutputGone);
                                             }),
                                             this);
    if (!idleScreen) return;
    const auto ends = +[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
        static_cast<LayerSurface*>(self)->input(true);
        return TRUE;
    };
    for (const char* signal : {"key-press-event", "button-press-event", "scroll-event", "touch-event"})
        g_signal_connect(window, signal, G_CALLBACK(ends), this);
    const auto pointer = +[](GtkWidget*, GdkEvent* event, gpointer data) -> gboolean {
        auto* self = static_cast<LayerSurface*>(data);
        double x = 0.0, y = 0.0;
        gdk_event_get_coords(event, &x, &y);
        self->input(self->idleInput.pointerAt(x, y));
        return FALSE;
    };
    g_signal_connect(window, "motion-notify-event", G_CALLBACK(pointer), this);
    g_signal_connect(window, "enter-notify-event", G_CALLBACK(pointer), this);
    g_signal_connect(window, "realize", G_CALLBACK(+[](GtkWidget* widget, gpointer) {
                         GdkCursor* blank =
                             gdk_cursor_new_for_display(gtk_widget_get_display(widget), GDK_BLANK_CURSOR);
                         gdk_window_set_cursor(gtk_widget_get_window(widget), blank);
                         g_object_unref(blank);
                     }),
                     nullptr);
}

LayerSurface::~LayerSurface() {
    if (frameCallback) wl_callback_destroy(frameCallback);
    if (eglDisplay) {
        eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (eglSurface) eglDestroySurface(eglDisplay, eglSurface);
        if (eglContext) eglDestroyContext(eglDisplay, eglContext);
    }
    if (eglWindow) wl_egl_window_destroy(eglWindow);
    if (eglDisplay) eglTerminate(eglDisplay);
    g_signal_handler_disconnect(gdk_display_get_default(), monitorRemovedHandler);
    g_signal_handlers_disconnect_by_data(monitor, this);
    g_signal_handlers_disconnect_by_data(window, this);
    gtk_widget_destroy(window);
    g_object_unref(monitor);
    gdk_display_flush(gdk_display_get_default());
}

void LayerSurface::finish(SurfaceEnd why) {
    if (end != SurfaceEnd::NotEnded) return;
    end = why;
    if (why == SurfaceEnd::Failed) std::fprintf(stderr, "veltamar: %s\n", failure.c_str());
    tellChanged();
}

void LayerSurface::input(bool ends) {
    if (ends) finish(SurfaceEnd::Input);
}

void LayerSurface::allocated(int width, int height) {
    if (width <= 0 || height <= 0 || end != SurfaceEnd::NotEnded) return;
    logicalWidth = width;
    logicalHeight = height;
    rescale();
}

// The buffer is the output's size in pixels: the surface's logical size times the output's scale.
void LayerSurface::rescale() {
    if (logicalWidth <= 0 || end != SurfaceEnd::NotEnded) return;
    scale = std::max(gdk_monitor_get_scale_factor(monitor), 1);
    GdkWindow* gdkWindow = gtk_widget_get_window(window);
    if (!surface && gdkWindow) surface = gdk_wayland_window_get_wl_surface(gdkWindow);
    if (!surface) return;
    if (!eglSurface) {
        if (!makeEglSurface()) {
            finish(SurfaceEnd::Failed);
            return;
        }
    } else {
        wl_egl_window_resize(eglWindow, width(), height(), 0, 0);
    }
    wl_surface_set_buffer_scale(surface, scale);
    // Opaque all over, so the compositor draws nothing that lies under it.
    wl_compositor* compositor = gdk_wayland_display_get_wl_compositor(gdk_display_get_default());
    wl_region* opaque = wl_compositor_create_region(compositor);
    wl_region_add(opaque, 0, 0, logicalWidth, logicalHeight);
    wl_surface_set_opaque_region(surface, opaque);
    wl_region_destroy(opaque);
    tellChanged();
}

bool LayerSurface::makeEglSurface() {
    if (!idleScreen) {
        // An empty input region: clicks and the pointer go to whatever the desktop has there.
        wl_compositor* compositor = gdk_wayland_display_get_wl_compositor(gdk_display_get_default());
        wl_region* none = wl_compositor_create_region(compositor);
        wl_surface_set_input_region(surface, none);
        wl_region_destroy(none);
        cairo_region_t* empty = cairo_region_create();
        gtk_widget_input_shape_combine_region(window, empty);
        cairo_region_destroy(empty);
    }

    wl_display* display = gdk_wayland_display_get_wl_display(gdk_display_get_default());
    eglDisplay = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, display, nullptr);
    if (!eglDisplay || !eglInitialize(eglDisplay, nullptr, nullptr) || !eglBindAPI(EGL_OPENGL_API)) {
        failure = "cannot use EGL on the Wayland display";
        return false;
    }
    eglConfig = chooseConfig(eglDisplay);
    if (!eglConfig) {
        failure = "EGL has no OpenGL configuration with RGB colour and a depth buffer";
        return false;
    }
    // The scene is drawn with OpenGL 1.x calls: a compatibility profile.
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    eglContext = eglCreateContext(eglDisplay, eglConfig, EGL_NO_CONTEXT, contextAttributes);
    if (!eglContext) {
        failure = "cannot make an OpenGL context with EGL";
        return false;
    }
    eglWindow = wl_egl_window_create(surface, width(), height());
    eglSurface =
        eglWindow ? eglCreatePlatformWindowSurface(eglDisplay, eglConfig, eglWindow, nullptr) : nullptr;
    if (!eglSurface || !eglMakeCurrent(eglDisplay, eglSurface, eglSurface, eglContext)) {
        failure = "cannot draw with OpenGL on the layer surface";
        return false;
    }
    // Never wait inside the swap: the frame callbacks pace the frames, and a covered surface gets
    // none, which would stop the whole process inside eglSwapBuffers.
    eglSwapInterval(eglDisplay, 0);
    return true;
}

void LayerSurface::swapBuffers() {
    if (!eglSurface) return;
    if (frameCallback) wl_callback_destroy(frameCallback);
    static const wl_callback_listener listener{onFrameDone};
    frameCallback = wl_surface_frame(surface);
    wl_callback_add_listener(frameCallback, &listener, this);
    waitingForFrame = true;
    eglSwapBuffers(eglDisplay, eglSurface);
}

void LayerSurface::onFrameDone(void* self, wl_callback*, unsigned) {
    static_cast<LayerSurface*>(self)->frameDone();
}

void LayerSurface::frameDone() {
    wl_callback_destroy(frameCallback);
    frameCallback = nullptr;
    waitingForFrame = false;
    tellChanged();
}

}  // namespace veltamar
