// PENDAX as the host sees it: its records, read from the loaded module, and its lever functions.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "gauge_module.h"
#include "record_check.h"

namespace {

class QuadrantTest : public GaugeTest {
 protected:
  QuadrantTest() : GaugeTest(PENDAX_MODULE) {}

  std::vector<ElementHeader*> children() const {
    std::vector<ElementHeader*> list;
    for (ElementList* entry = gauge_.root_element()->children; *entry != nullptr; ++entry) list.push_back(*entry);
    return list;
  }
  MouseFunction lever_function(int lever) const { return mouse_rects_[2 + lever].function; }
};

TEST_F(QuadrantTest, RootIsTheBackgroundAtTheOrigin) {
  GaugeHeader* gauge = gauge_.gauge();
  EXPECT_STREQ(gauge->gauge_name, "PENDAX");
  EXPECT_EQ(gauge->gauge_name[6] | gauge->gauge_name[7], 0);
  EXPECT_EQ(gauge->root_element_list[1], nullptr);
  auto root = reinterpret_cast<StaticImageElement*>(gauge_.root_element());
  expect_record(root, StaticImageElement{.header = header_of(kind_static_image, 0x1000, 0, 0, 0)},
                {offsetof(ElementHeader, gauge_header), offsetof(ElementHeader, children)});
  EXPECT_EQ(root->header.gauge_header, gauge);
}

TEST_F(QuadrantTest, ChildrenStandInOrderWithTheirBindings) {
  struct Trim {
    const char* name;
    uint32_t id;
    int32_t x, y;
  };
  struct Knob {
    const char* name;
    int32_t x;
    uint32_t variable;
  };
  const std::vector<Trim> trims = {{"trim_scale_left", 0x2000, 54, 64},
                                   {"trim_scale_right", 0x3000, 278, 64},
                                   {"trim_wheel_left", 0x4000, 13, 21},
                                   {"trim_wheel_right", 0x5000, 328, 21}};
  const std::vector<Knob> knobs = {{"lever_knob_1", 119, 128},
                                   {"lever_knob_2", 150, 163},
                                   {"lever_knob_3", 181, 198},
                                   {"lever_knob_4", 212, 233}};
  const std::vector<size_t> pointers = {offsetof(ElementHeader, gauge_header)};
  std::vector<ElementHeader*> list = children();
  ASSERT_EQ(list.size(), 8u);
  for (size_t i = 0; i < trims.size(); ++i) {
    SCOPED_TRACE(trims[i].name);
    expect_record(reinterpret_cast<MovingImageElement*>(list[i]),
                  MovingImageElement{.header = header_of(kind_moving_image, trims[i].id, trims[i].x, trims[i].y, 2),
                                     .var_y = {.variable_id = 318},
                                     .range_from_y = 16383.0,
                                     .range_to_y = -16383.0},
                  pointers);
    EXPECT_EQ(list[i]->gauge_header, gauge_.gauge());
  }
  for (size_t i = 0; i < knobs.size(); ++i) {
    SCOPED_TRACE(knobs[i].name);
    ElementHeader* knob = list[trims.size() + i];
    expect_record(reinterpret_cast<SliderElement*>(knob),
                  SliderElement{.header = header_of(kind_slider, 0x6003, knobs[i].x, 176, 3),
                                .var_y = {.variable_id = knobs[i].variable},
                                .scale_y = -0.009765625},
                  pointers);
    EXPECT_EQ(knob->gauge_header, gauge_.gauge());
  }
}

TEST_F(QuadrantTest, MouseListHasTheQuadrantAndOneAreaPerLever) {
  install();
  const MouseRect* rects = mouse_rects_;
  auto lever = [](int32_t x) {
    return MouseRect{.rect_kind = rect_child, .box_x = x, .box_y = 20, .box_width = 29, .box_height = 258,
                     .cursor = 5, .mouse_flags = 0x00800000};
  };
  const std::vector<MouseRect> expected = {
      {.rect_kind = rect_parent, .cursor = -1},
      {.rect_kind = rect_parent, .box_width = 361, .box_height = 327, .cursor = -1, .help_id = 42024},
      lever(119),
      lever(150),
      lever(181),
      lever(212),
      {.rect_kind = rect_parent_end, .cursor = -1},
      {.rect_kind = rect_parent_end, .cursor = -1},
      {.rect_kind = rect_list_end, .cursor = -1},
  };
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "mouse rectangle " << i + 1);
    expect_record(&rects[i], expected[i], {offsetof(MouseRect, function)});
    EXPECT_EQ(rects[i].function != nullptr, i >= 2 && i <= 5);
  }
  // Each slot's area over its knob, nothing over the wheels, the scales or the rest of the quadrant.
  const struct {
    int32_t x, y;
    MouseFunction function;
  } points[] = {{119, 20, rects[2].function}, {147, 277, rects[2].function}, {150, 100, rects[3].function},
                {209, 100, rects[4].function}, {240, 277, rects[5].function}, {148, 100, nullptr},
                {119, 19, nullptr},           {119, 278, nullptr},          {20, 150, nullptr},
                {60, 150, nullptr},           {300, 150, nullptr},          {241, 100, nullptr}};
  for (const auto& p : points) {
    SCOPED_TRACE(testing::Message() << "x " << p.x << ", y " << p.y);
    EXPECT_EQ(function_at(p.x, p.y), p.function);
  }
}

struct LeverCase {
  int32_t height;
  int32_t y;
  int32_t value;
  friend std::ostream& operator<<(std::ostream& out, const LeverCase& c) {
    return out << "height " << c.height << ", y " << c.y << " -> " << c.value;
  }
};

class LeverValueTest : public QuadrantTest, public testing::WithParamInterface<LeverCase> {};

TEST_P(LeverValueTest, EveryLeverSendsItsEventWithTheValueForThePointersHeight) {
  const LeverCase c = GetParam();
  host_.root_image.height = c.height;
  install();
  for (int lever = 0; lever < 4; ++lever) {
    SCOPED_TRACE(testing::Message() << "lever " << lever + 1);
    host_.calls.clear();
    MousePoint point{119 + 31 * lever + 7 * lever, c.y};
    EXPECT_EQ(lever_function(lever)(&point, 0xFFFFFFFF), 0);
    ASSERT_EQ(host_.calls.size(), 1u);
    EXPECT_EQ(host_.calls[0], (HostCall{"send_event", {65820u + lever, static_cast<uint32_t>(c.value)}}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, LeverValueTest,
    testing::Values(
        // A root image 327 pixels high: zero at row 245, held above y -1 and below y 306.
        LeverCase{327, -2, 16384}, LeverCase{327, -1, 16384},
        LeverCase{327, 0, 16367}, LeverCase{327, 20, 15031}, LeverCase{327, 176, 4609}, LeverCase{327, 245, 0},
        LeverCase{327, 246, -66}, LeverCase{327, 277, -2137}, LeverCase{327, 306, -4075},
        LeverCase{327, 307, -4096},
        // Pointer rows far outside the gauge wrap as 32-bit integers, as the host's own arithmetic does,
        // and the value still stays within the limits.
        LeverCase{327, INT_MIN, 16367}, LeverCase{327, INT_MAX, 16384},
        // Heights that are multiples of 4 reach 16384 exactly at the top.
        LeverCase{328, 0, 16384}, LeverCase{328, 246, 0}, LeverCase{328, 307, -4062}, LeverCase{328, 308, -4096},
        // The same gauge shown twice as tall gives the same value at the same fraction of its height.
        LeverCase{654, 490, 0}, LeverCase{654, 612, -4075}, LeverCase{654, 613, -4096},
        // A negative height follows the same arithmetic, and the value stays within the limits.
        LeverCase{-327, 0, 16367}, LeverCase{-327, -245, 0}, LeverCase{-327, -300, -3674},
        LeverCase{-327, -1000, -4096}, LeverCase{-327, 300, 16384}));

TEST_F(QuadrantTest, LeverReadsTheHeightAfreshAtEveryCall) {
  install();
  MousePoint point{130, 246};
  host_.calls.clear();
  lever_function(0)(&point, 0);
  host_.root_image.height = 328;
  lever_function(0)(&point, 0);
  ASSERT_EQ(host_.calls.size(), 2u);
  EXPECT_EQ(static_cast<int32_t>(host_.calls[0].args[1]), -66);
  EXPECT_EQ(static_cast<int32_t>(host_.calls[1].args[1]), 0);
}

TEST_F(QuadrantTest, LeverSendsNothingWhenTheRootImageHasNoHeight) {
  host_.root_image.height = 0;
  install();
  host_.calls.clear();
  for (int32_t y : {INT_MIN, 0, 245, INT_MAX}) {
    MousePoint point{130, y};
    EXPECT_EQ(lever_function(0)(&point, 0), 0);
  }
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(QuadrantTest, InstallAddsNoStepsOfItsOwn) {
  EXPECT_EQ(gauge_.gauge()->gauge_install(0), RecordingHost::default_result("register_mouse_rects"));
  EXPECT_EQ(gauge_.gauge()->gauge_kill(), RecordingHost::default_result("kill_elements"));
  EXPECT_EQ(host_.calls.size(), 5u);
}

}  // namespace
