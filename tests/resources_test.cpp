// The pictures and version block of both modules, read from the built files as the host reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb pure_black{0, 0, 0};
constexpr Rgb near_black{8, 8, 8};
constexpr Rgb window_black{1, 1, 1};
constexpr Rgb white{255, 255, 255};
constexpr Rgb lamp_green{0x53, 0xE7, 0x09};

struct Picture {
  BITMAPINFOHEADER info;
  uint32_t resource_size;
  std::vector<uint8_t> bytes;  // the whole resource
  std::vector<Rgb> pixels;     // top row first

  int width() const { return info.biWidth; }
  int height() const { return info.biHeight; }
  Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * width() + x]; }
  // Bounding box of the pixels of `colour` inside the given rectangle (inclusive), or all -1 if none.
  struct Box {
    int left = -1, top = -1, right = -1, bottom = -1;
    bool operator==(const Box&) const = default;
  };
  Box box_of(Rgb colour, int left, int top, int right, int bottom, bool matching = true) const {
    Box box;
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        if ((at(x, y) == colour) != matching) continue;
        if (box.left < 0 || x < box.left) box.left = x;
        if (box.top < 0) box.top = y;
        box.right = std::max(box.right, x);
        box.bottom = y;
      }
    }
    return box;
  }
  int count(Rgb colour, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x) n += at(x, y) == colour;
    return n;
  }
};

std::ostream& operator<<(std::ostream& out, const Picture::Box& box) {
  return out << "x " << box.left << ".." << box.right << ", y " << box.top << ".." << box.bottom;
}

class ModuleResources {
 public:
  explicit ModuleResources(const char* path) : module_(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ModuleResources() { FreeLibrary(module_); }
  HMODULE module() const { return module_; }

  // Fails the calling test when the bitmap is missing; returns an empty picture then.
  Picture picture(uint32_t id) const {
    Picture picture{};
    HRSRC found = FindResourceExA(module_, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(id), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    EXPECT_NE(found, nullptr) << "no bitmap 0x" << std::hex << id << " in language 0x0409";
    if (found == nullptr) return picture;
    picture.resource_size = SizeofResource(module_, found);
    auto data = static_cast<const uint8_t*>(LockResource(LoadResource(module_, found)));
    picture.bytes.assign(data, data + picture.resource_size);
    std::memcpy(&picture.info, data, sizeof(BITMAPINFOHEADER));
    if (picture.info.biBitCount != 8 || picture.info.biWidth <= 0 || picture.info.biHeight <= 0) return picture;
    const size_t stride = (picture.info.biWidth + 3) & ~3;
    if (picture.resource_size < 40 + 1024 + stride * picture.info.biHeight) return picture;
    auto palette = reinterpret_cast<const RGBQUAD*>(data + 40);
    for (int y = 0; y < picture.info.biHeight; ++y) {
      const uint8_t* row = data + 40 + 1024 + stride * (picture.info.biHeight - 1 - y);
      for (int x = 0; x < picture.info.biWidth; ++x) {
        const RGBQUAD& c = palette[row[x]];
        picture.pixels.push_back({c.rgbRed, c.rgbGreen, c.rgbBlue});
      }
    }
    return picture;
  }

  std::vector<uint32_t> bitmap_ids() const {
    std::vector<uint32_t> ids;
    EnumResourceNamesA(module_, MAKEINTRESOURCEA(2), collect_id, reinterpret_cast<LONG_PTR>(&ids));
    std::sort(ids.begin(), ids.end());
    return ids;
  }

 private:
  static BOOL CALLBACK collect_id(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    reinterpret_cast<std::vector<uint32_t>*>(ids)->push_back(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(name)));
    return TRUE;
  }
  HMODULE module_;
};

const ModuleResources& pendax() {
  static ModuleResources resources(PENDAX_MODULE);
  return resources;
}

const ModuleResources& pendaxsb() {
  static ModuleResources resources(PENDAXSB_MODULE);
  return resources;
}

struct BitmapCase {
  const char* module_name;
  const ModuleResources& (*module)();
  uint32_t id;
  int width, height;
  bool may_hold_pure_black;
};

const std::vector<BitmapCase>& bitmap_cases() {
  static const std::vector<BitmapCase> cases = {
      {"PENDAX", pendax, 0x1000, 361, 327, false},   {"PENDAX", pendax, 0x2000, 32, 1470, false},
      {"PENDAX", pendax, 0x2003, 29, 204, false},    {"PENDAX", pendax, 0x3000, 32, 1470, false},
      {"PENDAX", pendax, 0x3003, 29, 204, false},    {"PENDAX", pendax, 0x4000, 20, 7500, false},
      {"PENDAX", pendax, 0x4003, 20, 290, false},    {"PENDAX", pendax, 0x5000, 20, 7500, false},
      {"PENDAX", pendax, 0x5003, 20, 290, false},    {"PENDAX", pendax, 0x6003, 29, 35, true},
      {"PENDAXSB", pendaxsb, 0x1000, 150, 65, true}, {"PENDAXSB", pendaxsb, 0x2000, 113, 49, false},
      {"PENDAXSB", pendaxsb, 0x3000, 26, 54, true},  {"PENDAXSB", pendaxsb, 0x3003, 26, 54, true},
      {"PENDAXSB", pendaxsb, 0x4000, 96, 14, false}, {"PENDAXSB", pendaxsb, 0x4003, 96, 14, false},
      {"PENDAXSB", pendaxsb, 0x5000, 26, 54, true},  {"PENDAXSB", pendaxsb, 0x5003, 26, 54, true},
      {"PENDAXSB", pendaxsb, 0x6000, 96, 14, false}, {"PENDAXSB", pendaxsb, 0x6003, 96, 14, false},
  };
  return cases;
}

TEST(Resources, EachModuleHoldsExactlyItsBitmaps) {
  for (const char* name : {"PENDAX", "PENDAXSB"}) {
    SCOPED_TRACE(name);
    std::vector<uint32_t> expected;
    const ModuleResources* module = nullptr;
    for (const BitmapCase& c : bitmap_cases()) {
      if (std::string(c.module_name) != name) continue;
      expected.push_back(c.id);
      module = &c.module();
    }
    EXPECT_EQ(module->bitmap_ids(), expected);
  }
}

TEST(Resources, EveryBitmapIsAnUncompressedBottomUp256ColourDib) {
  for (const BitmapCase& c : bitmap_cases()) {
    SCOPED_TRACE(testing::Message() << c.module_name << " bitmap 0x" << std::hex << c.id);
    Picture picture = c.module().picture(c.id);
    EXPECT_EQ(picture.info.biSize, 40u);
    EXPECT_EQ(picture.info.biWidth, c.width);
    EXPECT_EQ(picture.info.biHeight, c.height);
    EXPECT_EQ(picture.info.biPlanes, 1);
    EXPECT_EQ(picture.info.biBitCount, 8);
    EXPECT_EQ(picture.info.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_TRUE(picture.info.biClrUsed == 256 || picture.info.biClrUsed == 0) << picture.info.biClrUsed;
    EXPECT_EQ(picture.resource_size, 40u + 1024u + c.height * ((c.width + 3u) & ~3u));
    ASSERT_EQ(picture.pixels.size(), static_cast<size_t>(c.width) * c.height);
    if (!c.may_hold_pure_black) {
      EXPECT_EQ(picture.box_of(pure_black, 0, 0, c.width - 1, c.height - 1), Picture::Box{}) << "pure black";
    }
  }
}

TEST(Resources, PicturesThatMustBeIdenticalAreIdenticalByteForByte) {
  struct Pair {
    const ModuleResources& (*module)();
    uint32_t original, copy;
  };
  for (Pair pair : {Pair{pendax, 0x2003, 0x3003}, Pair{pendax, 0x4000, 0x5000}, Pair{pendax, 0x4003, 0x5003},
                    Pair{pendaxsb, 0x3000, 0x5000}, Pair{pendaxsb, 0x3003, 0x5003}, Pair{pendaxsb, 0x4000, 0x6000}}) {
    SCOPED_TRACE(testing::Message() << "0x" << std::hex << pair.copy);
    EXPECT_TRUE(pair.module().picture(pair.original).bytes == pair.module().picture(pair.copy).bytes);
  }
}

TEST(Resources, SolidPicturesAreOneColourThroughout) {
  struct Solid {
    const ModuleResources& (*module)();
    uint32_t id;
    Rgb colour;
  };
  for (Solid solid : {Solid{pendax, 0x2003, window_black}, Solid{pendax, 0x4003, window_black},
                      Solid{pendaxsb, 0x2000, near_black}, Solid{pendaxsb, 0x4000, near_black}}) {
    SCOPED_TRACE(testing::Message() << "0x" << std::hex << solid.id);
    Picture p = solid.module().picture(solid.id);
    EXPECT_EQ(p.count(solid.colour, 0, 0, p.width() - 1, p.height() - 1), p.width() * p.height());
  }
}

TEST(QuadrantArt, BackgroundIsNearBlackExactlyUnderEachScaleWindow) {
  Picture background = pendax().picture(0x1000);
  for (int left : {54, 278}) {
    SCOPED_TRACE(left);
    EXPECT_EQ(background.count(near_black, left, 64, left + 28, 267), 29 * 204);
  }
}

TEST(QuadrantArt, ScaleZeroTickLandsOnTheIndexLineUnderTheWedge) {
  // With the trim at 0 the window at y 64 shows strip rows 633 to 836, so strip rows 704 and 705 stand
  // at y 135 and 136, the line under the background's index wedge.
  EXPECT_EQ(704 - 633 + 64, 135);
  for (uint32_t id : {0x2000u, 0x3000u}) {
    SCOPED_TRACE(testing::Message() << "0x" << std::hex << id);
    Picture strip = pendax().picture(id);
    auto white_in_row = [&](int row) { return strip.count(white, 0, row, strip.width() - 1, row); };
    EXPECT_GT(white_in_row(704), white_in_row(703));
    EXPECT_GT(white_in_row(705), white_in_row(706));
    EXPECT_EQ(white_in_row(704), white_in_row(705));
  }
  Picture background = pendax().picture(0x1000);
  EXPECT_EQ(background.box_of(white, 85, 125, 94, 134).bottom, 134);
  EXPECT_EQ(background.box_of(white, 266, 125, 275, 134).bottom, 134);
  EXPECT_EQ(background.count(white, 85, 135, 94, 136), 0);
}

TEST(QuadrantArt, WheelMarksRepeatEvery202Rows) {
  Picture wheel = pendax().picture(0x4000);
  const int middle = wheel.width() / 2;
  auto white_at = [&](int row) { return wheel.at(middle, row) == white; };
  EXPECT_TRUE(white_at(0));
  EXPECT_TRUE(white_at(24));
  EXPECT_FALSE(white_at(25));
  for (int top = 165; top <= 7437; top += 202) {
    SCOPED_TRACE(top);
    EXPECT_FALSE(white_at(top - 1));
    EXPECT_TRUE(white_at(top));
    EXPECT_TRUE(white_at(top + 61));
    EXPECT_FALSE(white_at(top + 62));
  }
}

TEST(QuadrantArt, KnobIsPureBlackOnlyInItsEdgeNotches) {
  Picture knob = pendax().picture(0x6003);
  EXPECT_GT(knob.count(pure_black, 0, 0, 28, 34), 0);
  EXPECT_EQ(knob.count(pure_black, 0, 3, 28, 31), 0) << "pure black away from the top and bottom edges";
}

TEST(CabinSignArt, PanelLayoutStandsWhereTheSwitchesAndMouseAreasExpectIt) {
  Picture panel = pendaxsb().picture(0x1000);
  EXPECT_EQ(panel.count(white, 0, 0, 149, 64) + panel.count(pure_black, 0, 0, 149, 64), 150 * 65)
      << "only white drawing on pure black";
  struct Item {
    const char* name;
    Picture::Box search, expected;
  };
  for (Item item : {Item{"top line", {0, 0, 149, 0}, {5, 0, 144, 0}},
                    Item{"NO SMOKING", {0, 1, 74, 18}, {2, 4, 69, 10}},
                    Item{"SEAT BELTS", {76, 1, 149, 18}, {82, 4, 147, 10}},
                    Item{"left ring", {12, 19, 57, 58}, {20, 21, 49, 50}},
                    Item{"right ring", {93, 19, 140, 58}, {101, 21, 130, 50}},
                    Item{"OFF", {58, 14, 91, 35}, {66, 20, 83, 27}},
                    Item{"ON", {58, 38, 91, 60}, {67, 45, 81, 52}}}) {
    SCOPED_TRACE(item.name);
    EXPECT_EQ(panel.box_of(white, item.search.left, item.search.top, item.search.right, item.search.bottom),
              item.expected);
  }
}

TEST(CabinSignArt, SwitchLeverPointsUpAtOffAndDownAtOn) {
  Picture off = pendaxsb().picture(0x3000);
  Picture on = pendaxsb().picture(0x3003);
  EXPECT_EQ(off.box_of(pure_black, 0, 0, 25, 53, false).top, 0);
  EXPECT_EQ(off.box_of(pure_black, 0, 0, 25, 53, false).bottom, 38);
  EXPECT_EQ(on.box_of(pure_black, 0, 0, 25, 53, false).top, 14);
  EXPECT_EQ(on.box_of(pure_black, 0, 0, 25, 53, false).bottom, 52);
}

TEST(CabinSignArt, LitLampsShowGreenWordsOnNearBlack) {
  for (uint32_t id : {0x4003u, 0x6003u}) {
    SCOPED_TRACE(testing::Message() << "0x" << std::hex << id);
    Picture lamp = pendaxsb().picture(id);
    EXPECT_GT(lamp.count(lamp_green, 0, 0, 95, 13), 96 * 14 / 10);
    EXPECT_EQ(lamp.at(0, 0), near_black);
  }
}

std::string version_string(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return "(missing)";
  return value;
}

TEST(Resources, VersionBlockNamesTheGaugeProduct) {
  struct VersionCase {
    const char* path;
    const char* product_name;
  };
  for (VersionCase c : {VersionCase{PENDAX_MODULE, "quadlv"}, VersionCase{PENDAXSB_MODULE, "lampswch"}}) {
    SCOPED_TRACE(c.product_name);
    HMODULE module = LoadLibraryExA(c.path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(FindResourceExA(module, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
              nullptr);
    FreeLibrary(module);
    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(c.path, &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(c.path, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 0x00010004u);
    EXPECT_EQ(fixed->dwFileType, 1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(version_string(block, "FileDescription"), "Flight Simulator 98 Gauge");
    EXPECT_EQ(version_string(block, "ProductName"), c.product_name);
    EXPECT_NE(version_string(block, "CompanyName"), "(missing)");
    // The three strings stand in this order, and there are no others.
    auto key_at = [&](const wchar_t* key) {
      const auto* text = reinterpret_cast<const wchar_t*>(block.data());
      const size_t length = block.size() / sizeof(wchar_t);
      for (size_t i = 0; i + wcslen(key) <= length; ++i)
        if (wmemcmp(text + i, key, wcslen(key)) == 0) return static_cast<long>(i);
      return -1L;
    };
    EXPECT_LT(key_at(L"CompanyName"), key_at(L"FileDescription"));
    EXPECT_LT(key_at(L"FileDescription"), key_at(L"ProductName"));
    for (const wchar_t* other : {L"FileVersion", L"ProductVersion", L"LegalCopyright", L"OriginalFilename",
                                 L"InternalName", L"Comments"}) {
      EXPECT_EQ(key_at(other), -1L);
    }
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);
  }
}

}  // namespace
