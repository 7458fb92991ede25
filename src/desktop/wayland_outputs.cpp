#include "desktop/wayland_outputs.h"

#include <gdk/gdkwayland.h>
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstring>

#include "desktop/output_locator.h"

namespace veltamar {

struct WaylandOutputs::Output {
    WaylandOutputs* owner = nullptr;
    std::uint32_t global = 0;
    wl_output* proxy = nullptr;
    std::string connector;  // from wl_output version 4
    ~Output() {
        if (proxy) wl_output_destroy(proxy);
    }
};

namespace {

using Output = WaylandOutputs::Output;

// Only the connector's name is wanted; every other event of the output is taken and left.
const wl_output_listener OUTPUT_LISTENER = {
    [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t) {},
    [](void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {},
    // done: a new output, or a change to one, is complete
    [](void* data, wl_output*) {
        auto* output = static_cast<Output*>(data);
        if (output->owner->changed) output->owner->changed();
    },
    [](void*, wl_output*, int32_t) {},
    [](void* data, wl_output*, const char* name) { static_cast<Output*>(data)->connector = name; },
    [](void*, wl_output*, const char*) {},
};

}  // namespace

std::unique_ptr<WaylandOutputs> WaylandOutputs::open(std::string& problem) {
    std::unique_ptr<WaylandOutputs> watcher(new WaylandOutputs());
    watcher->display = wl_display_connect(nullptr);
    if (!watcher->display) {
        const char* name = g_getenv("WAYLAND_DISPLAY");
        problem = std::string("cannot connect to the Wayland compositor") +
                  (name ? std::string(" '") + name + "'" : std::string());
        return nullptr;
    }
    static const wl_registry_listener listener = {
        [](void* data, wl_registry* registry, uint32_t global, const char* interface, uint32_t version) {
            auto* self = static_cast<WaylandOutputs*>(data);
            if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0) self->layerShell = true;
            if (std::strcmp(interface, wl_output_interface.name) != 0) return;
            auto output = std::make_unique<Output>();
            output->owner = self;
            output->global = global;
            output->proxy = static_cast<wl_output*>(
                wl_registry_bind(registry, global, &wl_output_interface, std::min(version, 4u)));
            wl_output_add_listener(output->proxy, &OUTPUT_LISTENER, output.get());
            self->list.push_back(std::move(output));
        },
        [](void* data, wl_registry*, uint32_t global) {
            auto* self = static_cast<WaylandOutputs*>(data);
            const auto gone =
                std::remove_if(self->list.begin(), self->list.end(),
                               [global](const auto& output) { return output->global == global; });
            if (gone == self->list.end()) return;
            self->list.erase(gone, self->list.end());
            if (self->changed) self->changed();
        },
    };
    watcher->registry = wl_display_get_registry(watcher->display);
    wl_registry_add_listener(watcher->registry, &listener, watcher.get());
    // The globals, then each output's first events.
    wl_display_roundtrip(watcher->display);
    wl_display_roundtrip(watcher->display);
    watcher->fdSource = g_unix_fd_add(
        wl_display_get_fd(watcher->display), G_IO_IN,
        [](int, GIOCondition, gpointer self) -> gboolean {
            static_cast<WaylandOutputs*>(self)->readEvents();
            return G_SOURCE_CONTINUE;
        },
        watcher.get());
    return watcher;
}

WaylandOutputs::~WaylandOutputs() {
    if (fdSource) g_source_remove(fdSource);
    list.clear();
    if (registry) wl_registry_destroy(registry);
    if (display) wl_display_disconnect(display);
}

void WaylandOutputs::readEvents() {
    if (wl_display_dispatch(display) < 0) {
        // The compositor has gone: so have its outputs.
        g_source_remove(fdSource);
        fdSource = 0;
        list.clear();
        tellChanged();
        return;
    }
    wl_display_flush(display);
}

std::vector<DesktopOutput> WaylandOutputs::outputs() const {
    std::vector<DesktopOutput> outputs;
    for (const auto& output : list) {
        OutputLocator locator;
        locator.waylandGlobal = output->global;
        const std::string name =
            output->connector.empty() ? "output " + std::to_string(output->global) : output->connector;
        outputs.push_back({"wayland-" + std::to_string(output->global), formatLocator(locator), name});
    }
    return outputs;
}

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

// GTK lists one monitor per wl_output global, in the order the compositor announced them, which
// is the same for every client: the output's place among the globals that a registry of this
// process's own lists is its place among GTK's monitors.
GdkMonitor* findWaylandMonitor(std::uint32_t global) {
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    wl_display* display = gdk_wayland_display_get_wl_display(gdkDisplay);
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    std::vector<std::uint32_t> outputs;
    static const wl_registry_listener listener = {
        [](void* data, wl_registry*, uint32_t name, const char* interface, uint32_t) {
            if (std::strcmp(interface, wl_output_interface.name) == 0)
                static_cast<std::vector<std::uint32_t>*>(data)->push_back(name);
        },
        [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_registry_add_listener(registry, &listener, &outputs);
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(wrapper);
    wl_event_queue_destroy(queue);

    // An output added or removed since GTK looked: the lists do not match, and the output is
    // looked for again by a new process.
    const auto found = std::find(outputs.begin(), outputs.end(), global);
    if (found == outputs.end() || static_cast<int>(outputs.size()) != gdk_display_get_n_monitors(gdkDisplay))
        return nullptr;
    return gdk_display_get_monitor(gdkDisplay, static_cast<int>(found - outputs.begin()));
}

}  // namespace veltamar
