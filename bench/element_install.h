// The host's side of element install and kill: the pictures it loads for each element of a gauge's tree,
// and the HostImage records through which a static image's `image` word reaches its picture.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bitmap_resource.h"
#include "elements.h"
#include "module_loading.h"

// HostImage leads the record, so that the `image` word a gauge reads points at the host's record.
struct HostPicture {
  HostImage host_image;
  Picture picture;
};

struct InstalledElement {
  std::vector<std::unique_ptr<HostPicture>> pictures;  // in the order element_bitmaps gives
};

using InstalledElements = std::map<const ElementHeader*, InstalledElement>;

// Visits `root` and every element below it, each before its children, with its depth below `root`.
void for_each_element(ElementHeader* root, const std::function<void(ElementHeader*, int depth)>& visit);

// The bitmaps an element's kind shows: N for a static image and a slider, N + 3 x k for an icon's
// pictures, the strip N and the window N + 3 for a moving image.
std::vector<uint32_t> element_bitmaps(const ElementHeader& element);

// Loads every element's pictures from the module and fills each static image's `image` word. Fails with
// ExitCode::bad_records, naming the element and bitmap, when a bitmap is missing or malformed.
void install_element_tree(ElementHeader* root, const LoadedModule& loaded, InstalledElements& installed);

// Frees the pictures and clears the `image` words again.
void kill_element_tree(ElementHeader* root, InstalledElements& installed);

std::string element_label(const ElementHeader& element);
