// The frame as the host sees it: exports, records, the seven routines' calls into the host, and loading.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gauge_module.h"
#include "pe_image.h"

namespace {

// Calls a host-facing routine with one word and returns how many bytes of arguments it removed from the
// stack on return: 4 for the host's calling convention, 0 for one where the caller cleans up.
uint32_t argument_bytes_removed(void* routine, uint32_t word) {
  uint32_t left_on_stack;
  asm volatile(
      "mov %%esp, %%esi\n\t"
      "push %[word]\n\t"
      "call *%[routine]\n\t"
      "mov %%esi, %%ecx\n\t"
      "sub %%esp, %%ecx\n\t"
      "mov %%esi, %%esp\n\t"
      : "=c"(left_on_stack)
      : [routine] "r"(routine), [word] "r"(word)
      : "eax", "edx", "esi", "memory", "cc");
  return 4 - left_on_stack;
}

class FrameTest : public GaugeTest {
 protected:
  FrameTest() : GaugeTest(FRAME_TEST_GAUGE) {}

  GaugeHeader* header() const { return gauge_.gauge(); }
  uint32_t root() const { return word_of(gauge_.root_element()); }
  bool inside_module(const void* address) const { return inside_loaded_image(gauge_.module, address); }
};

TEST_F(FrameTest, ExportsExactlyTheTwoRecords) {
  std::vector<std::string> names = exported_names(gauge_.module);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"ImportTable", "Linkage"}));
}

TEST_F(FrameTest, RecordsHoldTheirFixedValues) {
  const struct Linkage& linkage = *gauge_.linkage;
  EXPECT_EQ(linkage.fixed_value, 0x13u);
  EXPECT_TRUE(inside_module(reinterpret_cast<void*>(linkage.module_init)));
  EXPECT_TRUE(inside_module(reinterpret_cast<void*>(linkage.module_deinit)));
  EXPECT_EQ(linkage.host_owned_0c[0] | linkage.host_owned_0c[1] | linkage.host_owned_0c[2], 0u);
  EXPECT_TRUE(inside_module(linkage.gauges[0]));
  EXPECT_EQ(linkage.gauges[1], nullptr);
  EXPECT_EQ(gauge_.import_table->fixed_value, 0x0Fu);
  EXPECT_EQ(gauge_.import_table->host_owned_08[0] | gauge_.import_table->host_owned_08[1], 0u);
  EXPECT_EQ(header()->fixed_value, 610u);
  EXPECT_EQ(header()->fixed_value_2c, 100u);
  EXPECT_EQ(header()->host_owned_28, 0u);
  for (uint32_t word : header()->host_owned_30) EXPECT_EQ(word, 0u);
  EXPECT_STREQ(header()->gauge_name, "FRAMEGA");
  EXPECT_EQ(header()->root_element_list[1], nullptr);
  linkage.module_init();
  linkage.module_deinit();
  EXPECT_TRUE(host_.calls.empty());
}

struct RoutineCase {
  const char* routine;
  std::function<HostWord(GaugeHeader*)> call;
  std::vector<const char*> entries;  // host services called, in order; the last one's result is handed back
};

TEST_F(FrameTest, EachRoutineCallsItsServicesInOrderAndHandsBackTheLastResult) {
  const HostWord w = 0x5EED0001;
  const std::vector<RoutineCase> cases = {
      {"gauge_query", [](GaugeHeader* g) { return g->gauge_query(); }, {"query_elements"}},
      {"gauge_install", [&](GaugeHeader* g) { return g->gauge_install(w); },
       {"install_elements", "install_mouse_rects", "register_mouse_rects"}},
      {"gauge_initialize", [](GaugeHeader* g) { return g->gauge_initialize(); }, {"initialize_elements"}},
      {"gauge_update", [](GaugeHeader* g) { return g->gauge_update(); }, {"update_elements"}},
      {"gauge_generate", [&](GaugeHeader* g) { return g->gauge_generate(w); }, {"generate_elements"}},
      {"gauge_draw", [](GaugeHeader* g) { return g->gauge_draw(); }, {"draw_elements"}},
      {"gauge_kill", [](GaugeHeader* g) { return g->gauge_kill(); }, {"unregister_mouse_rects", "kill_elements"}},
  };
  for (const RoutineCase& c : cases) {
    SCOPED_TRACE(c.routine);
    size_t first = host_.calls.size();
    HostWord result = c.call(header());
    ASSERT_EQ(host_.calls.size() - first, c.entries.size());
    for (size_t i = 0; i < c.entries.size(); ++i) EXPECT_EQ(host_.calls[first + i].entry, c.entries[i]);
    EXPECT_EQ(result, RecordingHost::default_result(c.entries.back()));
  }

  // The arguments, checked once the mouse list's address is known from install_mouse_rects.
  const uint32_t list = word_of(installed_mouse_list());
  const uint32_t gauge = word_of(header());
  const std::vector<HostCall> expected = {
      {"query_elements", {root()}},
      {"install_elements", {root(), w}},
      {"install_mouse_rects", {list, gauge, word_of(&host_.root_image.width)}},
      {"register_mouse_rects", {list, gauge}},
      {"initialize_elements", {root()}},
      {"update_elements", {root()}},
      {"generate_elements", {root(), w}},
      {"draw_elements", {root()}},
      {"unregister_mouse_rects", {list, gauge}},
      {"kill_elements", {root()}},
  };
  EXPECT_EQ(host_.calls, expected);
  EXPECT_TRUE(inside_module(reinterpret_cast<void*>(list)));
  auto rects = reinterpret_cast<const MouseRect*>(list);
  EXPECT_EQ(rects[0].rect_kind, rect_parent);
  EXPECT_EQ(rects[3].rect_kind, rect_list_end);
}

TEST_F(FrameTest, WordsArePassedOnUnchanged) {
  for (HostWord w : {0x00000000u, 0x00000001u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(w);
    host_.calls.clear();
    header()->gauge_install(w);
    header()->gauge_generate(w);
    header()->gauge_kill();
    EXPECT_EQ(host_.calls[0], (HostCall{"install_elements", {root(), w}}));
    EXPECT_EQ(host_.calls[3], (HostCall{"generate_elements", {root(), w}}));
  }
}

TEST_F(FrameTest, InstallMakesEveryCallWhateverTheFirstTwoReturn) {
  for (HostWord result : {0x00000000u, 0x00000001u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(result);
    host_.calls.clear();
    host_.set_result("install_elements", result);
    host_.set_result("install_mouse_rects", result);
    host_.set_result("register_mouse_rects", 0xA11CE000 + result);
    EXPECT_EQ(header()->gauge_install(7), 0xA11CE000 + result);
    ASSERT_EQ(host_.calls.size(), 3u);
    EXPECT_EQ(host_.calls[2].entry, "register_mouse_rects");
  }
}

TEST_F(FrameTest, InstallPassesTheAddressOfTheWidthOfTheImageTheHostFilledIn) {
  HostImage taller{0, 100, 900};
  host_.root_image = taller;
  header()->gauge_install(0);
  auto root = reinterpret_cast<StaticImageElement*>(gauge_.root_element());
  ASSERT_EQ(root->image, &host_.root_image);
  EXPECT_EQ(host_.calls[1].args[2], word_of(root->image) + 4);
}

HostWord HOST_CALL query_elements_of_second_table(ElementHeader*) { return 0x20D; }

TEST_F(FrameTest, ACallAfterTheHostReplacesItsTableGoesToTheNewTable) {
  EXPECT_EQ(header()->gauge_query(), RecordingHost::default_result("query_elements"));
  void* second_table[RecordingHost::table_entries];
  std::copy(std::begin(host_.entries), std::end(host_.entries), second_table);
  auto second = reinterpret_cast<HostServices*>(second_table);
  second->query_elements = query_elements_of_second_table;
  gauge_.import_table->host_services = second;
  EXPECT_EQ(header()->gauge_query(), 0x20Du);
  EXPECT_EQ(host_.calls.size(), 1u);
}

TEST_F(FrameTest, RoutinesTakingAWordRemoveItFromTheStack) {
  EXPECT_EQ(argument_bytes_removed(reinterpret_cast<void*>(header()->gauge_install), 1), 4u);
  EXPECT_EQ(argument_bytes_removed(reinterpret_cast<void*>(header()->gauge_generate), 1), 4u);
}

TEST_F(FrameTest, LibraryEntryRoutineSucceedsForEveryReason) {
  LibraryEntryRoutine entry = library_entry_routine(gauge_.module);
  struct Reason {
    const char* name;
    DWORD code;
  };
  // Detach before attach, so that the run time's own start-up and shutdown stay paired and the module is
  // left loaded and initialised for FreeLibrary.
  for (Reason reason : {Reason{"thread attach", DLL_THREAD_ATTACH}, Reason{"thread detach", DLL_THREAD_DETACH},
                        Reason{"process detach", DLL_PROCESS_DETACH}, Reason{"process attach", DLL_PROCESS_ATTACH}}) {
    SCOPED_TRACE(reason.name);
    EXPECT_EQ(entry(gauge_.module, reason.code, nullptr), TRUE);
  }
}

TEST(FrameLoading, RecordPointersFollowTheModuleWhenItLoadsAwayFromItsPreferredBase) {
  LoadedGauge probe = load_gauge(FRAME_TEST_GAUGE);
  ASSERT_NE(probe.module, nullptr);
  PreferredPlacement placement = preferred_placement(probe.module);
  unload_gauge(probe);

  void* occupied = VirtualAlloc(reinterpret_cast<void*>(placement.image_base), placement.image_size, MEM_RESERVE,
                                PAGE_NOACCESS);
  ASSERT_EQ(reinterpret_cast<uintptr_t>(occupied), placement.image_base);
  LoadedGauge moved = load_gauge(FRAME_TEST_GAUGE);
  ASSERT_NE(moved.module, nullptr);
  EXPECT_NE(reinterpret_cast<uintptr_t>(moved.module), placement.image_base);
  auto inside = [&](const void* address) { return inside_loaded_image(moved.module, address); };
  GaugeHeader* header = moved.gauge();
  EXPECT_TRUE(inside(header));
  EXPECT_TRUE(inside(reinterpret_cast<void*>(moved.linkage->module_init)));
  EXPECT_TRUE(inside(reinterpret_cast<void*>(moved.linkage->module_deinit)));
  EXPECT_TRUE(inside(header->gauge_name));
  EXPECT_TRUE(inside(header->root_element_list));
  for (void* routine : {reinterpret_cast<void*>(header->gauge_query), reinterpret_cast<void*>(header->gauge_install),
                        reinterpret_cast<void*>(header->gauge_initialize), reinterpret_cast<void*>(header->gauge_update),
                        reinterpret_cast<void*>(header->gauge_generate), reinterpret_cast<void*>(header->gauge_draw),
                        reinterpret_cast<void*>(header->gauge_kill)}) {
    EXPECT_TRUE(inside(routine));
  }
  ElementHeader* root = moved.root_element();
  EXPECT_TRUE(inside(root));
  EXPECT_EQ(root->gauge_header, header);
  ASSERT_TRUE(inside(root->children));
  EXPECT_TRUE(inside(root->children[0]));
  EXPECT_EQ(root->children[0]->gauge_header, header);
  unload_gauge(moved);
  VirtualFree(occupied, 0, MEM_RELEASE);
}

}  // namespace
