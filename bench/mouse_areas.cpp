#include "mouse_areas.h"

namespace {

// More records than any gauge uses: a longer list has lost its end record.
constexpr size_t record_limit = 4096;

bool area_holds(const GaugeArea& area, GaugePoint point) {
  return point.x >= area.x && point.y >= area.y && point.x - area.x < area.width && point.y - area.y < area.height;
}

MouseList failed(int record, const std::string& problem) {
  return {{}, "mouse rectangle " + std::to_string(record) + " " + problem};
}

}  // namespace

const char* rect_kind_name(uint32_t rect_kind) {
  switch (rect_kind) {
    case rect_list_end: return "list end";
    case rect_parent: return "parent";
    case rect_child: return "child";
    case rect_parent_end: return "parent end";
    default: return "unknown";
  }
}

MouseList read_mouse_list(const MouseRect* list, const LoadedModule& loaded, const int32_t* gauge_size) {
  MouseList read;
  std::vector<int> open_parents;
  // Where boxes are measured from, and what bounds them, inside the innermost open parent.
  auto origin_and_bounds = [&]() -> std::pair<GaugePoint, GaugeArea> {
    if (open_parents.empty()) return {{0, 0}, {0, 0, gauge_size[0], gauge_size[1]}};
    const MouseArea& parent = read.areas[open_parents.back()];
    return {{parent.area.x, parent.area.y}, parent.area};
  };
  for (size_t i = 0;; ++i) {
    int record = static_cast<int>(i) + 1;
    const MouseRect* rect = list + i;
    if (i == record_limit || !loaded.span.holds(rect, sizeof *rect)) {
      return failed(record, "lies outside the module's image: the list has no end record");
    }
    switch (rect->rect_kind) {
      case rect_list_end:
        if (!open_parents.empty()) return failed(record, "ends the list while a parent is still open");
        return read;
      case rect_parent_end:
        if (open_parents.empty()) return failed(record, "closes a parent that was never opened");
        open_parents.pop_back();
        break;
      case rect_parent:
      case rect_child: {
        if (rect->function != nullptr && !loaded.span.holds(reinterpret_cast<const void*>(rect->function), 1)) {
          return failed(record, "names a function outside the module's image");
        }
        if (rect->rect_kind == rect_child && open_parents.empty()) return failed(record, "is a child outside any parent");
        auto [origin, bounds] = origin_and_bounds();
        GaugeArea area{origin.x + rect->box_x, origin.y + rect->box_y, rect->box_width, rect->box_height};
        bool empty_parent = rect->rect_kind == rect_parent && (rect->box_width <= 0 || rect->box_height <= 0);
        if (empty_parent) area = {area.x, area.y, bounds.width - (area.x - bounds.x), bounds.height - (area.y - bounds.y)};
        int parent = open_parents.empty() ? -1 : open_parents.back();
        read.areas.push_back({record, rect, static_cast<int>(open_parents.size()), parent, area});
        if (rect->rect_kind == rect_parent) open_parents.push_back(static_cast<int>(read.areas.size()) - 1);
        break;
      }
      default:
        return failed(record, "has unknown kind " + std::to_string(rect->rect_kind) + "; the host knows 0 to 3");
    }
  }
}

const MouseArea* child_at(const MouseList& list, GaugePoint point) {
  for (const MouseArea& candidate : list.areas) {
    if (candidate.rect->rect_kind != rect_child) continue;
    bool inside = true;
    for (const MouseArea* area = &candidate; inside && area != nullptr;
         area = area->parent < 0 ? nullptr : &list.areas[area->parent]) {
      inside = area_holds(area->area, point);
    }
    if (inside) return &candidate;
  }
  return nullptr;
}
