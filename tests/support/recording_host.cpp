#include "recording_host.h"

#include <windows.h>

#include <cstdio>
#include <utility>

RecordingHost* current_host = nullptr;

uint32_t word_of(const void* address) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address)); }

std::ostream& operator<<(std::ostream& out, const HostCall& call) {
  out << call.entry << "(";
  for (size_t i = 0; i < call.args.size(); ++i) out << (i ? ", " : "") << "0x" << std::hex << call.args[i] << std::dec;
  return out << ")";
}

namespace {

HostWord record(const char* entry, std::vector<uint32_t> args) {
  current_host->calls.push_back({entry, std::move(args)});
  return current_host->result_of(entry);
}

HostWord HOST_CALL query_elements(ElementHeader* root) { return record("query_elements", {word_of(root)}); }

HostWord HOST_CALL install_elements(ElementHeader* root, HostWord w) {
  if (root->element_kind == kind_static_image) {
    reinterpret_cast<StaticImageElement*>(root)->image = &current_host->root_image;
  }
  return record("install_elements", {word_of(root), w});
}

HostWord HOST_CALL initialize_elements(ElementHeader* root) {
  return record("initialize_elements", {word_of(root)});
}

HostWord HOST_CALL update_elements(ElementHeader* root) { return record("update_elements", {word_of(root)}); }

HostWord HOST_CALL generate_elements(ElementHeader* root, HostWord w) {
  return record("generate_elements", {word_of(root), w});
}

HostWord HOST_CALL draw_elements(ElementHeader* root) { return record("draw_elements", {word_of(root)}); }

HostWord HOST_CALL kill_elements(ElementHeader* root) { return record("kill_elements", {word_of(root)}); }

HostWord HOST_CALL install_mouse_rects(MouseRect* list, GaugeHeader* gauge, int32_t* size) {
  return record("install_mouse_rects", {word_of(list), word_of(gauge), word_of(size)});
}

HostWord HOST_CALL register_mouse_rects(MouseRect* list, GaugeHeader* gauge) {
  return record("register_mouse_rects", {word_of(list), word_of(gauge)});
}

HostWord HOST_CALL unregister_mouse_rects(MouseRect* list, GaugeHeader* gauge) {
  return record("unregister_mouse_rects", {word_of(list), word_of(gauge)});
}

HostWord HOST_CALL send_event(uint32_t event_id, int32_t value) {
  return record("send_event", {event_id, static_cast<uint32_t>(value)});
}

template <int Offset>
void HOST_CALL unexpected_entry() {
  std::fprintf(stderr, "FAILED: a module called the host service at offset 0x%X, which it must not use\n", Offset);
  std::fflush(stderr);
  ExitProcess(3);
}

template <size_t... Index>
void fill_with_unexpected(void** entries, std::index_sequence<Index...>) {
  ((entries[Index] = reinterpret_cast<void*>(&unexpected_entry<Index * 4>)), ...);
}

}  // namespace

RecordingHost::RecordingHost() {
  fill_with_unexpected(entries, std::make_index_sequence<table_entries>());
  HostServices* services = table();
  services->query_elements = query_elements;
  services->install_elements = install_elements;
  services->initialize_elements = initialize_elements;
  services->update_elements = update_elements;
  services->generate_elements = generate_elements;
  services->draw_elements = draw_elements;
  services->kill_elements = kill_elements;
  services->install_mouse_rects = install_mouse_rects;
  services->register_mouse_rects = register_mouse_rects;
  services->unregister_mouse_rects = unregister_mouse_rects;
  services->send_event = send_event;
  current_host = this;
}

RecordingHost::~RecordingHost() {
  if (current_host == this) current_host = nullptr;
}

void RecordingHost::set_result(const std::string& entry, HostWord result) { results.emplace_back(entry, result); }

HostWord RecordingHost::result_of(const std::string& entry) const {
  for (auto it = results.rbegin(); it != results.rend(); ++it) {
    if (it->first == entry) return it->second;
  }
  return default_result(entry);
}

HostWord RecordingHost::default_result(const std::string& entry) {
  HostWord marker = 0xC0DE0000;
  for (char c : entry) marker = marker * 31 + static_cast<unsigned char>(c);
  return marker;
}
