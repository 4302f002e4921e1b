#include "bench_run.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace {

constexpr DWORD bench_time_limit_ms = 60000;

// What the pipe holds, without waiting for its other end to close: a helper process that Wine starts for
// the bench (its desktop process, when DirectSound makes a window) may keep that end open long after.
std::string read_waiting(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD waiting = 0, read = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
         ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  CloseHandle(pipe);
  return text;
}

}  // namespace

BenchRun run_bench(const std::vector<std::string>& args) {
  std::string command = "\"" GAUGE_BENCH "\"";
  for (const std::string& arg : args) command += " \"" + arg + "\"";
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE out_read, out_write, err_read, err_write;
  // Large enough for all that a run prints, so the bench never waits for them to be read.
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
  if (WaitForSingleObject(process.hProcess, bench_time_limit_ms) == WAIT_TIMEOUT) {
    ADD_FAILURE() << "the bench ran longer than " << bench_time_limit_ms << " ms: " << command;
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  run.out = read_waiting(out_read);
  run.err = read_waiting(err_read);
  GetExitCodeProcess(process.hProcess, &run.exit_code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return run;
}

std::string output_path(const std::string& name) {
  CreateDirectoryA(BENCH_OUTPUT_DIR, nullptr);
  return BENCH_OUTPUT_DIR "/" + name;
}

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

Rendered render(const char* module, const std::string& name, std::vector<std::string> args, BenchRun* run_out) {
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

int pixels_not_shown(const Rendered& rendered, const Picture& picture, int left, int top, int first_row, int rows,
                     int columns) {
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
