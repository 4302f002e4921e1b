#include "pe_image.h"

#include <gtest/gtest.h>

ImportPatch::ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement)
    : module_(module), dll_(dll), function_(function),
      original_(patch_import(module, dll, function, replacement)) {
  EXPECT_NE(original_, nullptr) << "the module does not import " << function << " from " << dll;
}

ImportPatch::~ImportPatch() {
  if (original_ != nullptr) patch_import(module_, dll_.c_str(), function_.c_str(), original_);
}
