#include "element_install.h"

#include "failure.h"
#include "text_format.h"

namespace {

constexpr uint32_t picture_step = 3;
constexpr uint32_t most_icon_pictures = 16;

void visit_tree(ElementHeader* element, int depth, const std::function<void(ElementHeader*, int)>& visit) {
  visit(element, depth);
  if (element->children == nullptr) return;
  for (ElementList* child = element->children; *child != nullptr; ++child) visit_tree(*child, depth + 1, visit);
}

}  // namespace

void for_each_element(ElementHeader* root, const std::function<void(ElementHeader*, int)>& visit) {
  visit_tree(root, 0, visit);
}

std::string element_label(const ElementHeader& element) {
  return std::string(element_kind_name(element.element_kind)) + " " + hex(element.resource_id);
}

std::vector<uint32_t> element_bitmaps(const ElementHeader& element) {
  uint32_t id = element.resource_id;
  switch (element.element_kind) {
    case kind_icon: {
      std::vector<uint32_t> ids;
      uint32_t count = reinterpret_cast<const IconElement&>(element).picture_count;
      for (uint32_t k = 0; k < count; ++k) ids.push_back(id + picture_step * k);
      return ids;
    }
    case kind_moving_image:
      return {id, id + picture_step};
    default:
      return {id};
  }
}

void install_element_tree(ElementHeader* root, const LoadedModule& loaded, InstalledElements& installed) {
  for_each_element(root, [&](ElementHeader* element, int) {
    if (element->element_kind == kind_icon) {
      uint32_t count = reinterpret_cast<IconElement*>(element)->picture_count;
      if (count < 1 || count > most_icon_pictures) {
        fail(ExitCode::bad_records, loaded.file_name + ": " + element_label(*element) + " has picture_count " + std::to_string(count) +
                                        "; an icon shows 1 to " + std::to_string(most_icon_pictures) + " pictures");
      }
    }
    InstalledElement& entry = installed[element];
    entry.pictures.clear();
    for (uint32_t id : element_bitmaps(*element)) {
      BitmapLoad load = load_bitmap_resource(loaded.module, id);
      if (!load.error.empty()) {
        fail(ExitCode::bad_records, loaded.file_name + ": " + element_label(*element) + ": bitmap " + hex(id) + " " + load.error);
      }
      auto picture = std::make_unique<HostPicture>();
      picture->host_image = {id, load.picture.width, load.picture.height};
      picture->picture = std::move(load.picture);
      entry.pictures.push_back(std::move(picture));
    }
    if (element->element_kind == kind_static_image) {
      reinterpret_cast<StaticImageElement*>(element)->image = &entry.pictures.front()->host_image;
    }
  });
}

void kill_element_tree(ElementHeader* root, InstalledElements& installed) {
  for_each_element(root, [&](ElementHeader* element, int) {
    if (element->element_kind == kind_static_image) reinterpret_cast<StaticImageElement*>(element)->image = nullptr;
    installed.erase(element);
  });
}
