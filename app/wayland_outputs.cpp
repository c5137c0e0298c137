#include "app/wayland_outputs.h"

#include <wayland-client.h>

#include <algorithm>
#include <string_view>
#include <utility>

namespace kestrani {

namespace {

using Outputs = std::vector<std::pair<wl_output*, int>>;

void ignoreGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t) {}
void ignoreMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void ignoreDone(void*, wl_output*) {}
void ignoreText(void*, wl_output*, const char*) {}

void scale(void* data, wl_output* output, int32_t factor) {
    for (auto& [known, knownScale] : *static_cast<Outputs*>(data))
        if (known == output)
            knownScale = factor;
}

const wl_output_listener outputListener{ignoreGeometry, ignoreMode, ignoreDone, scale, ignoreText, ignoreText};

void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    if (std::string_view(interface) != wl_output_interface.name)
        return;
    // Version 2 brought the scale event.
    auto* output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 2u)));
    auto& outputs = *static_cast<Outputs*>(data);
    outputs.emplace_back(output, 1);
    wl_output_add_listener(output, &outputListener, &outputs);
}

void globalRemoved(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener{global, globalRemoved};

}  // namespace

std::vector<int> waylandOutputScales() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return {};
    Outputs outputs;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &outputs);
    // The first round trip brings the outputs, the second their scales.
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    std::vector<int> scales;
    for (auto& [output, factor] : outputs) {
        scales.push_back(factor);
        wl_output_destroy(output);
    }
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return scales;
}

}  // namespace kestrani
