#include "describe.h"

#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

#include "text_format.h"

namespace {

using Json = nlohmann::ordered_json;

std::string flag_names(uint32_t flags) {
  std::string names;
  if (flags & image_flag_black_transparent) names += "black transparent";
  if (flags & image_flag_changes) names += std::string(names.empty() ? "" : ", ") + "changes";
  return names;
}

Json bitmap_json(const HostPicture& picture) {
  return {{"id", picture.host_image.host_word_00}, {"width", picture.picture.width}, {"height", picture.picture.height}};
}

std::string number_text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// What the host shows of an element now, from its kind, its records and its variable.
Json element_json(const ElementHeader& element, int depth, const BenchHost& host) {
  const InstalledElement& installed = host.installed().at(&element);
  Json bitmaps = Json::array();
  for (const auto& picture : installed.pictures) bitmaps.push_back(bitmap_json(*picture));
  Json json = {
      {"depth", depth},
      {"kind", element_kind_name(element.element_kind)},
      {"element_kind", element.element_kind},
      {"resource_id", element.resource_id},
      {"position_x", element.position_x},
      {"position_y", element.position_y},
      {"image_flags", element.image_flags},
      {"bitmaps", bitmaps},
  };
  auto bind = [&](const ModuleVar& var) {
    json["variable_id"] = var.variable_id;
    json["variable_value"] = host.simulation().variable(var.variable_id);
    return host.simulation().variable(var.variable_id);
  };
  switch (element.element_kind) {
    case kind_icon: {
      auto& icon = reinterpret_cast<const IconElement&>(element);
      json["icon_value"] = icon.icon_value;
      json["picture_count"] = icon.picture_count;
      json["shown_bitmap"] = installed.pictures.at(icon_picture_index(icon))->host_image.host_word_00;
      break;
    }
    case kind_slider: {
      auto& slider = reinterpret_cast<const SliderElement&>(element);
      double value = bind(slider.var_y);
      json["scale_y"] = slider.scale_y;
      json["shown_y"] = element.position_y + slider_displacement(slider, value);
      break;
    }
    case kind_moving_image: {
      auto& moving = reinterpret_cast<const MovingImageElement&>(element);
      double value = bind(moving.var_y);
      const Picture& strip = installed.pictures.at(0)->picture;
      const Picture& window = installed.pictures.at(1)->picture;
      int32_t offset = strip_offset(moving, value, strip.height, window.height);
      json["range_from_y"] = moving.range_from_y;
      json["range_to_y"] = moving.range_to_y;
      json["strip_rows_shown"] = {offset, offset + window.height - 1};
      break;
    }
  }
  return json;
}

std::string element_text(const Json& json) {
  std::string text = std::string(json["depth"].get<int>() * 2 + 2, ' ') + json["kind"].get<std::string>() + " " +
                     hex(json["resource_id"]) + " at (" + std::to_string(json["position_x"].get<int32_t>()) + ", " +
                     std::to_string(json["position_y"].get<int32_t>()) + "), flags " + hex(json["image_flags"]);
  std::string flags = flag_names(json["image_flags"]);
  if (!flags.empty()) text += " (" + flags + ")";
  if (json.contains("variable_id")) {
    text += ", variable " + std::to_string(json["variable_id"].get<uint32_t>()) + " = " +
            number_text(json["variable_value"]);
  }
  const auto& bitmaps = json["bitmaps"];
  auto bitmap = [&](size_t index) {
    const Json& entry = bitmaps.at(index);
    return hex(entry["id"]) + " (" + std::to_string(entry["width"].get<int>()) + " x " +
           std::to_string(entry["height"].get<int>()) + ")";
  };
  uint32_t kind = json["element_kind"];
  if (kind == kind_static_image) {
    text += ": picture " + bitmap(0);
  } else if (kind == kind_icon) {
    text += ", icon_value " + number_text(json["icon_value"]) + " of " +
            std::to_string(json["picture_count"].get<uint32_t>()) + " pictures: shows " + hex(json["shown_bitmap"]);
  } else if (kind == kind_slider) {
    text += ", scale_y " + number_text(json["scale_y"]) + ": picture " + bitmap(0) + " with its top at y " +
            std::to_string(json["shown_y"].get<int32_t>());
  } else if (kind == kind_moving_image) {
    text += ", range " + number_text(json["range_from_y"]) + " to " + number_text(json["range_to_y"]) + ": strip " +
            bitmap(0) + " rows " + std::to_string(json["strip_rows_shown"][0].get<int32_t>()) + " to " +
            std::to_string(json["strip_rows_shown"][1].get<int32_t>()) + " through window " + bitmap(1);
  }
  return text;
}

Json mouse_area_json(const MouseArea& area, const BenchHost& host) {
  const MouseRect& rect = *area.rect;
  Json function = rect.function == nullptr
                      ? Json(nullptr)
                      : Json(address_in_module(host.loaded(), reinterpret_cast<const void*>(rect.function)));
  return {
      {"record", area.record},
      {"kind", rect_kind_name(rect.rect_kind)},
      {"depth", area.depth},
      {"x", area.area.x},
      {"y", area.area.y},
      {"width", area.area.width},
      {"height", area.area.height},
      {"box", {rect.box_x, rect.box_y, rect.box_width, rect.box_height}},
      {"cursor", rect.cursor},
      {"help_id", rect.help_id},
      {"mouse_flags", rect.mouse_flags},
      {"event_id", rect.event_id},
      {"function", function},
  };
}

std::string mouse_area_text(const Json& json) {
  int32_t x = json["x"], y = json["y"], width = json["width"], height = json["height"];
  const Json& box = json["box"];
  std::string text = std::string(json["depth"].get<int>() * 2 + 2, ' ') + std::to_string(json["record"].get<int>()) +
                     " " + json["kind"].get<std::string>() + " x " + std::to_string(x) + " to " +
                     std::to_string(x + width - 1) + ", y " + std::to_string(y) + " to " +
                     std::to_string(y + height - 1) + " (box " + std::to_string(box[0].get<int32_t>()) + ", " +
                     std::to_string(box[1].get<int32_t>()) + ", " + std::to_string(box[2].get<int32_t>()) + ", " +
                     std::to_string(box[3].get<int32_t>()) + "), cursor " + std::to_string(json["cursor"].get<int32_t>());
  if (json["help_id"] != 0) text += ", help " + std::to_string(json["help_id"].get<uint32_t>());
  if (json["mouse_flags"] != 0) text += ", mouse flags " + hex(json["mouse_flags"]);
  if (json["event_id"] != 0) text += ", event " + std::to_string(json["event_id"].get<uint32_t>());
  if (!json["function"].is_null()) text += ", function " + json["function"].get<std::string>();
  return text;
}

}  // namespace

void print_description(const BenchHost& host, bool json_wanted) {
  const LoadedModule& loaded = host.loaded();
  const HostImage* root = host.root_image();
  Json json = {
      {"module", loaded.file_name},
      {"gauge", loaded.gauge->gauge_name},
      {"width", root->width},
      {"height", root->height},
      {"elements", Json::array()},
      {"mouse_areas", Json::array()},
  };
  for_each_element(&loaded.root->header, [&](ElementHeader* element, int depth) {
    json["elements"].push_back(element_json(*element, depth, host));
  });
  if (const MouseList* list = host.mouse_list()) {
    for (const MouseArea& area : list->areas) json["mouse_areas"].push_back(mouse_area_json(area, host));
  }
  if (json_wanted) {
    std::printf("%s\n", json.dump(2).c_str());
    return;
  }
  std::printf("%s, gauge %s: %d x %d pixels\n", loaded.file_name.c_str(), loaded.gauge->gauge_name, root->width,
              root->height);
  std::printf("Elements, each before its children; positions in gauge pixels:\n");
  for (const Json& element : json["elements"]) std::printf("%s\n", element_text(element).c_str());
  std::printf("Mouse areas in gauge pixels, in list order:\n");
  for (const Json& area : json["mouse_areas"]) std::printf("%s\n", mouse_area_text(area).c_str());
}
