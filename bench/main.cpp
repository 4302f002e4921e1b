// The gauge bench: loads a gauge module as the simulator does, drives it through the simulator's
// services, and shows what the simulator would show.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench_host.h"
#include "command_line.h"
#include "describe.h"
#include "drawing.h"
#include "failure.h"
#include "message_boxes.h"
#include "module_loading.h"

namespace {

std::string full_path(const std::string& path) {
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) fail(ExitCode::cannot_load, "cannot make a full path of " + path);
  return full;
}

std::string folder_of(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// The simulator runs in its own folder, with the modules in its Gauges folder below it.
void enter_host_folder(const std::string& module_path, const std::string& host_dir) {
  std::string folder = host_dir.empty() ? folder_of(folder_of(module_path)) : full_path(host_dir);
  if (!SetCurrentDirectoryA(folder.c_str())) fail(ExitCode::cannot_load, "no such folder: " + folder);
}

std::vector<GaugeArea> canvas_areas(const BenchOptions& options, const HostImage& root) {
  if (!options.areas.empty()) return options.areas;
  return {{0, 0, root.width, root.height}};
}

}  // namespace

int main(int argc, char** argv) {
  BenchOptions options = parse_command_line(argc, argv);
  if (options.command == Command::help) {
    std::fputs(bench_help, stdout);
    return 0;
  }
  // With JSON on the output stream, the run's log goes to the error stream.
  FILE* log = options.json ? stderr : stdout;
  std::string module_path = full_path(options.module_path);
  std::string out_path = options.out_path.empty() ? "" : full_path(options.out_path);

  LoadedModule loaded = load_gauge_module(module_path, options.gauge_name);
  record_message_boxes(loaded.module, log);
  enter_host_folder(module_path, options.host_dir);

  Simulation simulation;
  for (const VariableSetting& setting : options.settings) simulation.set_variable(setting.variable_id, setting.value);
  BenchHost host(loaded, simulation, log);
  GaugeHeader& gauge = *loaded.gauge;

  loaded.linkage->module_init();
  gauge.gauge_query();
  gauge.gauge_install(0);
  gauge.gauge_initialize();
  gauge.gauge_update();
  for (const GaugePoint& point : options.clicks) {
    host.click(point);
    gauge.gauge_update();
  }
  gauge.gauge_generate(0);

  std::optional<Canvas> canvas;
  if (options.command == Command::render) {
    canvas.emplace(canvas_areas(options, *host.root_image()), options.backdrop_rgb);
    host.set_canvas(&*canvas);
    gauge.gauge_draw();
    host.set_canvas(nullptr);
  } else {
    print_description(host, options.json);
  }
  std::fflush(log);
  Sleep(options.wait_ms);

  gauge.gauge_kill();
  loaded.linkage->module_deinit();

  if (canvas) {
    if (!write_png(*canvas, options.zoom, out_path)) fail(ExitCode::cannot_write, "cannot write " + out_path);
    std::fprintf(log, "wrote %s (%d x %d pixels)\n", out_path.c_str(), canvas->width() * options.zoom,
                 canvas->height() * options.zoom);
  }
  return 0;
}
