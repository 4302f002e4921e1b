// A gauge's mouse-rectangle list as the host reads it: parents nest, each box is relative to the
// enclosing parent's top-left, and the host calls the function of the child under the pointer.
#pragma once

#include <string>
#include <vector>

#include "command_line.h"
#include "elements.h"
#include "module_loading.h"

struct MouseArea {
  int record;  // its number in the list, from 1
  const MouseRect* rect;
  int depth;   // how many parents enclose it
  int parent;  // index of the enclosing parent's area, or -1
  // In gauge pixels. A parent with an empty box covers what encloses it: the whole gauge at the top.
  GaugeArea area;
};

struct MouseList {
  std::vector<MouseArea> areas;  // parents and children, in list order; the end records are left out
  std::string error;             // names the record at fault; empty when the list reads
};

// Reads the list up to and including its rect_list_end record. `gauge_size` is the width and height the
// gauge gave to install_mouse_rects.
MouseList read_mouse_list(const MouseRect* list, const LoadedModule& loaded, const int32_t* gauge_size);

// The first child in list order that holds the point, inside every parent that encloses it; null if none.
const MouseArea* child_at(const MouseList& list, GaugePoint point);

const char* rect_kind_name(uint32_t rect_kind);
