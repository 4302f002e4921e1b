#include "bench_host.h"

#include <utility>

#include "failure.h"
#include "text_format.h"

namespace {

BenchHost* current_host = nullptr;

HostWord HOST_CALL query_elements(ElementHeader*) { return 0; }
HostWord HOST_CALL install_elements(ElementHeader* root, HostWord) { return current_host->install_elements(root); }
HostWord HOST_CALL initialize_elements(ElementHeader*) { return 0; }
HostWord HOST_CALL update_elements(ElementHeader*) { return 0; }
HostWord HOST_CALL generate_elements(ElementHeader*, HostWord) { return 0; }
HostWord HOST_CALL draw_elements(ElementHeader* root) { return current_host->draw_elements(root); }
HostWord HOST_CALL kill_elements(ElementHeader* root) { return current_host->kill_elements(root); }

HostWord HOST_CALL install_mouse_rects(MouseRect* list, GaugeHeader*, int32_t* gauge_size) {
  return current_host->install_mouse_rects(list, gauge_size);
}

HostWord HOST_CALL register_mouse_rects(MouseRect* list, GaugeHeader*) {
  return current_host->register_mouse_rects(list, true);
}

HostWord HOST_CALL unregister_mouse_rects(MouseRect* list, GaugeHeader*) {
  return current_host->register_mouse_rects(list, false);
}

HostWord HOST_CALL send_event(uint32_t event_id, int32_t value) { return current_host->send_event(event_id, value); }

// Returning from an entry whose arguments are unknown would leave the caller's stack wrong, so the run
// ends here.
template <int Offset>
void HOST_CALL forbidden_entry() {
  fail(ExitCode::forbidden_service, "the module called host service " + hex(Offset) + ", which gauges must not use");
}

template <size_t... Index>
void fill_with_forbidden(void** entries, std::index_sequence<Index...>) {
  ((entries[Index] = reinterpret_cast<void*>(&forbidden_entry<Index * 4>)), ...);
}

}  // namespace

BenchHost::BenchHost(const LoadedModule& loaded, Simulation& simulation, FILE* log)
    : loaded_(loaded), simulation_(simulation), log_(log) {
  fill_with_forbidden(entries_, std::make_index_sequence<table_entries>());
  auto services = reinterpret_cast<HostServices*>(entries_);
  services->query_elements = ::query_elements;
  services->install_elements = ::install_elements;
  services->initialize_elements = ::initialize_elements;
  services->update_elements = ::update_elements;
  services->generate_elements = ::generate_elements;
  services->draw_elements = ::draw_elements;
  services->kill_elements = ::kill_elements;
  services->install_mouse_rects = ::install_mouse_rects;
  services->register_mouse_rects = ::register_mouse_rects;
  services->unregister_mouse_rects = ::unregister_mouse_rects;
  services->send_event = ::send_event;
  current_host = this;
  loaded.import_table->host_services = services;
}

BenchHost::~BenchHost() {
  loaded_.import_table->host_services = nullptr;
  current_host = nullptr;
}

const HostImage* BenchHost::root_image() const {
  auto found = installed_.find(&loaded_.root->header);
  return found == installed_.end() ? nullptr : &found->second.pictures.front()->host_image;
}

const MouseList* BenchHost::mouse_list() const { return mouse_rects_ ? &mouse_list_ : nullptr; }

void BenchHost::expect_root(const ElementHeader* element, const char* service) const {
  if (element != &loaded_.root->header) {
    fail(ExitCode::bad_records, std::string(service) + " was handed " + hex(reinterpret_cast<uintptr_t>(element)) +
                                    ", not the gauge's root element");
  }
}

HostWord BenchHost::install_elements(ElementHeader* root) {
  expect_root(root, "install_elements");
  install_element_tree(root, loaded_, installed_);
  return 0;
}

HostWord BenchHost::draw_elements(ElementHeader* root) {
  expect_root(root, "draw_elements");
  if (canvas_ != nullptr) draw_element_tree(*canvas_, root, installed_, simulation_);
  return 0;
}

HostWord BenchHost::kill_elements(ElementHeader* root) {
  expect_root(root, "kill_elements");
  kill_element_tree(root, installed_);
  return 0;
}

HostWord BenchHost::install_mouse_rects(MouseRect* list, const int32_t* gauge_size) {
  const HostImage* root = root_image();
  if (root == nullptr || gauge_size != &root->width) {
    fail(ExitCode::bad_records, "install_mouse_rects was handed a gauge size that is not the root image's width and height");
  }
  mouse_list_ = read_mouse_list(list, loaded_, gauge_size);
  if (!mouse_list_.error.empty()) fail(ExitCode::bad_records, mouse_list_.error);
  mouse_rects_ = list;
  return 0;
}

HostWord BenchHost::register_mouse_rects(MouseRect* list, bool registered) {
  if (list != mouse_rects_) {
    fail(ExitCode::bad_records, std::string(registered ? "register" : "unregister") +
                                    "_mouse_rects was handed a list that install_mouse_rects never had");
  }
  mouse_list_registered_ = registered;
  return 0;
}

HostWord BenchHost::send_event(uint32_t event_id, int32_t value) {
  std::optional<uint32_t> variable = simulation_.apply_event(event_id, value);
  if (variable) {
    std::fprintf(log_, "event %u value %d: variable %u is now %d\n", event_id, value, *variable, value);
  } else {
    std::fprintf(log_, "event %u value %d: no effect in the bench's simulation\n", event_id, value);
  }
  return 0;
}

void BenchHost::click(GaugePoint point) {
  std::fprintf(log_, "click (%d, %d): ", point.x, point.y);
  const MouseArea* area = mouse_list_registered_ ? child_at(mouse_list_, point) : nullptr;
  if (!mouse_list_registered_) {
    std::fprintf(log_, "no mouse list is registered\n");
  } else if (area == nullptr) {
    std::fprintf(log_, "no mouse area there\n");
  } else if (area->rect->function == nullptr) {
    std::fprintf(log_, "mouse area %d, which has no function\n", area->record);
  } else {
    std::fprintf(log_, "mouse area %d calls %s\n", area->record,
                 address_in_module(loaded_, reinterpret_cast<const void*>(area->rect->function)).c_str());
    MousePoint mouse_point{point.x, point.y};
    int32_t result = area->rect->function(&mouse_point, area->rect->mouse_flags);
    std::fprintf(log_, "click (%d, %d): the function returned %d\n", point.x, point.y, result);
  }
  std::fflush(log_);
}
