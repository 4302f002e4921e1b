// The gauge bench end to end: its command line run on the built modules, as a panel builder runs it, and
// the pictures it writes read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include "bitmap_resource.h"

namespace {

struct BenchRun {
  DWORD exit_code = 0;
  std::string out;
  std::string err;
};

std::string read_all(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(pipe);
  return text;
}

BenchRun run_bench(const std::vector<std::string>& args) {
  std::string command = "\"" GAUGE_BENCH "\"";
  for (const std::string& arg : args) command += " \"" + arg + "\"";
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE out_read, out_write, err_read, err_write;
  // Large enough for all a run prints, so reading one pipe to its end never waits on the other.
  CreatePipe(&out_read, &out_write, &inheritable, 1 << 20);
  CreatePipe(&err_read, &err_write, &inheritable, 1 << 20);
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(out_write);
  CloseHandle(err_write);
  BenchRun run;
  EXPECT_TRUE(started) << command;
  if (!started) return run;
  run.out = read_all(out_read);
  run.err = read_all(err_read);
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &run.exit_code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return run;
}

std::string output_path(const std::string& name) {
  CreateDirectoryA(BENCH_OUTPUT_DIR, nullptr);
  return BENCH_OUTPUT_DIR "/" + name;
}

// A rendered PNG, each pixel 0xRRGGBB with the alpha byte above.
struct Rendered {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Rendered read_png(const std::string& path) {
  Rendered rendered;
  int channels = 0;
  stbi_uc* rgba = stbi_load(path.c_str(), &rendered.width, &rendered.height, &channels, 4);
  EXPECT_NE(rgba, nullptr) << path;
  if (rgba == nullptr) return rendered;
  for (int i = 0; i < rendered.width * rendered.height; ++i) {
    const stbi_uc* p = rgba + 4 * i;
    rendered.pixels.push_back(uint32_t{p[3]} << 24 | p[0] << 16 | p[1] << 8 | p[2]);
  }
  stbi_image_free(rgba);
  return rendered;
}

// Runs `render` on the module with `args` and reads the picture back; fails the test if the run fails.
Rendered render(const char* module, const std::string& name, std::vector<std::string> args, BenchRun* run_out = nullptr) {
  std::string png = output_path(name);
  args.insert(args.begin(), {"render", module, "--out", png});
  BenchRun run = run_bench(args);
  EXPECT_EQ(run.exit_code, 0u) << run.out << run.err;
  if (run_out != nullptr) *run_out = run;
  return read_png(png);
}

Picture module_bitmap(const char* module, uint32_t id) {
  HMODULE data = LoadLibraryExA(module, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  BitmapLoad load = load_bitmap_resource(data, id);
  FreeLibrary(data);
  EXPECT_EQ(load.error, "") << "bitmap 0x" << std::hex << id;
  return load.picture;
}

// How many of the picture's pixels from `first_row` on, other than pure black, the render does not show
// with that row at (left, top); `rows` limits the rows compared, as a window does.
int pixels_not_shown(const Rendered& rendered, const Picture& picture, int left, int top, int first_row = 0, int rows = -1,
                     int columns = -1) {
  if (rows < 0) rows = picture.height - first_row;
  if (columns < 0) columns = picture.width;
  int missing = 0;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      uint32_t rgb = picture.at(x, first_row + y);
      if (rgb == pure_black) continue;
      int at_x = left + x, at_y = top + y;
      bool inside = at_x >= 0 && at_y >= 0 && at_x < rendered.width && at_y < rendered.height;
      if (!inside || (rendered.at(at_x, at_y) & 0xFFFFFF) != rgb) ++missing;
    }
  }
  return missing;
}

std::vector<std::string> lines_starting(const std::string& text, const std::string& prefix) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The throttle quadrant.

constexpr int knob_slots_x[4] = {119, 150, 181, 212};

struct TrimStrip {
  uint32_t strip_id;
  int x, y, window_width, window_height;
  bool wheel;
};

constexpr TrimStrip trim_strips[] = {
    {0x2000, 54, 64, 29, 204, false},
    {0x3000, 278, 64, 29, 204, false},
    {0x4000, 13, 21, 20, 290, true},
    {0x5000, 328, 21, 20, 290, true},
};

int knob_top_misses(const Rendered& rendered, const Picture& knob, int slot, int top) {
  return pixels_not_shown(rendered, knob, knob_slots_x[slot], top);
}

struct QuadrantCase {
  const char* name;
  std::vector<std::string> settings;
  int knob_tops[4];
  int scale_first_row;  // of the strip, in the window
  int wheel_first_row;
};

// At rest the scales show strip rows 633 to 836, which puts the strip's 0 tick (rows 704 and 705) on
// y 135 and 136, under the background's index wedge.
const QuadrantCase quadrant_cases[] = {
    {"at rest", {}, {176, 176, 176, 176}, 633, 3605},
    {"levers at both ends, trim at its first end",
     {"128=16384", "163=-4096", "198=16384", "233=-4096", "318=16383"}, {16, 216, 16, 216}, 0, 0},
    {"levers at the other ends, trim at its second end",
     {"128=-4096", "163=16384", "198=-4096", "233=16384", "318=-16383"}, {216, 16, 216, 16}, 1266, 7210},
};

TEST(BenchQuadrantTest, KnobsAndTrimStripsFollowTheirVariables) {
  Picture knob = module_bitmap(PENDAX_MODULE, 0x6003);
  for (const QuadrantCase& test : quadrant_cases) {
    SCOPED_TRACE(test.name);
    std::vector<std::string> args;
    for (const std::string& setting : test.settings) args.insert(args.end(), {"--set", setting});
    Rendered rendered = render(PENDAX_MODULE, "quadrant.png", args);
    ASSERT_EQ(rendered.width, 361);
    ASSERT_EQ(rendered.height, 327);
    for (int slot = 0; slot < 4; ++slot) {
      SCOPED_TRACE("knob " + std::to_string(slot + 1));
      EXPECT_EQ(knob_top_misses(rendered, knob, slot, test.knob_tops[slot]), 0);
    }
    for (const TrimStrip& trim : trim_strips) {
      SCOPED_TRACE("strip 0x" + std::to_string(trim.strip_id));
      int first_row = trim.wheel ? test.wheel_first_row : test.scale_first_row;
      Picture strip = module_bitmap(PENDAX_MODULE, trim.strip_id);
      EXPECT_EQ(pixels_not_shown(rendered, strip, trim.x, trim.y, first_row, trim.window_height, trim.window_width), 0);
    }
  }
}

struct LeverClick {
  const char* point;
  const char* event;  // as the bench prints it
  int knob_top;       // where the slider rule puts the knob for that value
};

// Values for a 327-pixel root image: y 20 and 277 are the areas' top and bottom rows.
const LeverClick lever_clicks[] = {
    {"130,20", "event 65820 value 15031: variable 128 is now 15031", 176 - 146},
    {"160,245", "event 65821 value 0: variable 163 is now 0", 176},
    {"190,277", "event 65822 value -2137: variable 198 is now -2137", 176 + 20},
    {"220,176", "event 65823 value 4609: variable 233 is now 4609", 176 - 45},
};

TEST(BenchQuadrantTest, LeverClicksSendTheirEventsAndTheKnobsFollow) {
  std::vector<std::string> args;
  for (const LeverClick& click : lever_clicks) args.insert(args.end(), {"--click", click.point});
  args.insert(args.end(), {"--click", "100,100"});  // between the trim scale and the first slot
  BenchRun run;
  Rendered rendered = render(PENDAX_MODULE, "quadrant_clicks.png", args, &run);

  std::vector<std::string> expected_events;
  for (const LeverClick& click : lever_clicks) expected_events.push_back(click.event);
  EXPECT_EQ(lines_starting(run.out, "event "), expected_events);
  EXPECT_NE(run.out.find("click (100, 100): no mouse area there"), std::string::npos) << run.out;

  Picture knob = module_bitmap(PENDAX_MODULE, 0x6003);
  for (int slot = 0; slot < 4; ++slot) {
    SCOPED_TRACE("knob " + std::to_string(slot + 1));
    EXPECT_EQ(knob_top_misses(rendered, knob, slot, lever_clicks[slot].knob_top), 0);
  }
}

// Errors: a message on the error stream and the exit code that names the kind of fault.

struct ErrorCase {
  const char* name;
  std::vector<std::string> args;
  DWORD exit_code;
  const char* message;
};

TEST(BenchErrorTest, EachFaultGivesItsMessageAndExitCode) {
  std::string png = output_path("error.png");
  const ErrorCase cases[] = {
      {"no command", {}, 1, "no command given"},
      {"unknown command", {"paint", PENDAX_MODULE}, 1, "unknown command \"paint\""},
      {"no module", {"render"}, 1, "render wants a gauge module file"},
      {"render without --out", {"render", PENDAX_MODULE}, 1, "render wants --out FILE.png"},
      {"setting without value", {"render", PENDAX_MODULE, "--out", png, "--set", "128"}, 1, "--set wants VARIABLE=VALUE"},
      {"click without y", {"render", PENDAX_MODULE, "--out", png, "--click", "130"}, 1, "--click wants X,Y"},
      {"empty area", {"render", PENDAX_MODULE, "--out", png, "--area", "0,0,0,10"}, 1, "--area wants X,Y,WIDTH,HEIGHT"},
      {"option of the other command", {"describe", PENDAX_MODULE, "--zoom", "2"}, 1, "unknown option --zoom for describe"},
      {"option without value", {"describe", PENDAX_MODULE, "--gauge"}, 1, "--gauge wants a value"},
      {"missing file", {"describe", BENCH_OUTPUT_DIR "/missing.gau"}, 2, "no such file: "},
      {"not a module", {"describe", NOT_A_MODULE}, 2, "is not a 32-bit Windows module"},
      {"no exports", {"describe", NO_EXPORTS_MODULE}, 3, "exports no Linkage record, so it is no gauge module"},
      {"wrong fixed value", {"describe", WRONG_HEADER_GAUGE}, 3,
       "the gauge header of FAULTY, word 0x0 holds 0x263 where a gauge module holds 0x262"},
      {"unknown gauge", {"describe", PENDAX_MODULE, "--gauge", "PENDAXSB"}, 4,
       "PENDAX.gau offers no gauge named \"PENDAXSB\"; it offers PENDAX"},
      {"unknown element kind", {"describe", UNKNOWN_KIND_GAUGE}, 5, "element 0x2000 has unknown element kind 7"},
      {"unwritable picture", {"render", PENDAX_MODULE, "--out", BENCH_OUTPUT_DIR "/no/such/folder.png"}, 7,
       "cannot write "},
  };
  for (const ErrorCase& test : cases) {
    SCOPED_TRACE(test.name);
    BenchRun run = run_bench(test.args);
    EXPECT_EQ(run.exit_code, test.exit_code) << run.err;
    EXPECT_EQ(run.err.rfind("gauge-bench: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(test.message), std::string::npos) << run.err;
  }
}

}  // namespace
