#include "desktop/wayland_outputs.h"

#include <gdk/gdkwayland.h>
#include <gtk-layer-shell.h>
#include <gtk/gtk.h>

namespace veltamar {

namespace {

// A name for each monitor that stays with it for as long as it is there, kept on the monitor.
constexpr const char* KEY_DATA = "veltamar-output-key";

std::string keyOf(GdkMonitor* monitor) {
    static unsigned next = 0;
    auto* key = static_cast<const char*>(g_object_get_data(G_OBJECT(monitor), KEY_DATA));
    if (!key) {
        g_object_set_data_full(G_OBJECT(monitor), KEY_DATA, g_strdup_printf("wayland-%u", ++next), g_free);
        key = static_cast<const char*>(g_object_get_data(G_OBJECT(monitor), KEY_DATA));
    }
    return key;
}

}  // namespace

bool openWaylandDisplay(std::string& problem) {
    gdk_set_allowed_backends("wayland");
    if (!gtk_init_check(nullptr, nullptr) || !GDK_IS_WAYLAND_DISPLAY(gdk_display_get_default())) {
        const char* name = g_getenv("WAYLAND_DISPLAY");
        problem = std::string("cannot connect to the Wayland compositor") +
                  (name ? std::string(" '") + name + "'" : std::string());
        return false;
    }
    return true;
}

bool waylandHasLayerShell() {
    return gtk_layer_is_supported();
}

std::vector<OutputCorner> waylandCorners() {
    GdkDisplay* display = gdk_display_get_default();
    std::vector<OutputCorner> corners;
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i) {
        GdkRectangle geometry{};
        gdk_monitor_get_geometry(gdk_display_get_monitor(display, i), &geometry);
        corners.push_back({geometry.x, geometry.y});
    }
    return corners;
}

GdkMonitor* findWaylandMonitor(const OutputLocator& locator) {
    const auto index = findWaylandOutput(waylandCorners(), locator);
    return index ? gdk_display_get_monitor(gdk_display_get_default(), static_cast<int>(*index)) : nullptr;
}

WaylandOutputs::WaylandOutputs() {
    GdkDisplay* display = gdk_display_get_default();
    const auto added = +[](GdkDisplay*, GdkMonitor* monitor, gpointer self) {
        static_cast<WaylandOutputs*>(self)->watch(monitor);
        static_cast<WaylandOutputs*>(self)->tellChanged();
    };
    const auto removed = +[](GdkDisplay*, GdkMonitor* monitor, gpointer self) {
        g_signal_handlers_disconnect_by_data(monitor, self);
        static_cast<WaylandOutputs*>(self)->tellChanged();
    };
    addedHandler = g_signal_connect(display, "monitor-added", G_CALLBACK(added), this);
    removedHandler = g_signal_connect(display, "monitor-removed", G_CALLBACK(removed), this);
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i) watch(gdk_display_get_monitor(display, i));
}

WaylandOutputs::~WaylandOutputs() {
    GdkDisplay* display = gdk_display_get_default();
    g_signal_handler_disconnect(display, addedHandler);
    g_signal_handler_disconnect(display, removedHandler);
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i)
        g_signal_handlers_disconnect_by_data(gdk_display_get_monitor(display, i), this);
}

// A monitor that moves is looked for at its new place by the processes started after.
void WaylandOutputs::watch(GdkMonitor* monitor) {
    g_signal_handlers_disconnect_by_data(monitor, this);
    g_signal_connect(monitor, "notify::geometry", G_CALLBACK(+[](GdkMonitor*, GParamSpec*, gpointer self) {
                         static_cast<WaylandOutputs*>(self)->tellChanged();
                     }),
                     this);
}

std::vector<DesktopOutput> WaylandOutputs::outputs() const {
    GdkDisplay* display = gdk_display_get_default();
    const std::vector<OutputLocator> locators = waylandLocators(waylandCorners());
    std::vector<DesktopOutput> list;
    for (int i = 0; i < static_cast<int>(locators.size()); ++i) {
        GdkMonitor* monitor = gdk_display_get_monitor(display, i);
        GdkRectangle geometry{};
        gdk_monitor_get_geometry(monitor, &geometry);
        const char* model = gdk_monitor_get_model(monitor);
        const std::string name = std::string(model ? model : "output") + " at " + std::to_string(geometry.x) +
                                 "," + std::to_string(geometry.y);
        list.push_back({keyOf(monitor), formatLocator(locators[static_cast<std::size_t>(i)]), name});
    }
    return list;
}

}  // namespace veltamar
