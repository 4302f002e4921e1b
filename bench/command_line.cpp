#include "command_line.h"

#include <charconv>
#include <string_view>
#include <type_traits>

#include "failure.h"

const char bench_help[] = R"(Usage: gauge_bench COMMAND MODULE [OPTIONS]

Loads a Flight Simulator 98 gauge module as the simulator does, drives it through the simulator's
services and shows what the simulator would show. Run it through bench/gauge-bench, which starts it
under Wine and hands it Linux paths in Wine's form.

Commands:
  render MODULE --out FILE.png   draw the gauge, after any --set and --click, into a PNG picture
  describe MODULE [--json]       the gauge's element records and mouse areas, in words or as JSON
  --help                         this text

Options of both commands:
  --gauge NAME       the gauge to load (default: the module's first)
  --set VAR=VALUE    set simulator variable VAR to VALUE before the gauge is installed; repeatable
  --click X,Y        a mouse click at gauge pixel (X,Y), after the settings, in order; repeatable
  --host-dir DIR     the simulator's folder, made the current directory; the cabin-sign gauge loads
                     .\Sound\cdclick.wav from it (default: the folder above the module's, as for a
                     module in the simulator's Gauges folder)
  --wait MS          keep the gauge installed MS milliseconds after the clicks, so that sounds play out

Options of render:
  --out FILE.png     where to write the picture (required)
  --area X,Y,W,H     draw this rectangle of the gauge's pixel frame instead of the background's; repeat
                     it to place several rectangles side by side, 8 pixels apart, tops aligned
  --zoom N           enlarge the picture N times, 1 to 8 (default 1)
  --backdrop RRGGBB  the panel colour behind the gauge, in hex (default: transparent)

Options of describe:
  --json             print JSON instead of text; the run's log then goes to the error stream

What the bench prints as it runs: each click and the mouse function it called, each event the gauge
sends, and each message box it shows (answered OK at once).

The simulation: every variable starts at 0. Events 65820 to 65823 (the throttle levers) set variables
128, 163, 198 and 233 to the event's value; any other event is printed and changes nothing.

Exit codes: 0 done; 1 malformed arguments; 2 no such file or folder, or not a Windows module;
3 no Linkage or ImportTable export, or a wrong fixed value in them or the gauge header; 4 no gauge of
that name; 5 element records, mouse list or bitmaps that the simulator could not use; 6 the module
called a service that gauges must not use; 7 the picture could not be written.
)";

namespace {

[[noreturn]] void malformed(const std::string& message) {
  fail(ExitCode::malformed_arguments, message + " (see --help)");
}

template <typename Number>
std::optional<Number> number_from(std::string_view text, int base = 10) {
  Number number{};
  const char* end = text.data() + text.size();
  std::from_chars_result result;
  if constexpr (std::is_integral_v<Number>) {
    result = std::from_chars(text.data(), end, number, base);
  } else {
    result = std::from_chars(text.data(), end, number);
  }
  if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return number;
}

// Splits "1,2,3" at `separator` into exactly `count` numbers.
template <typename Number>
std::optional<std::vector<Number>> numbers_from(std::string_view text, char separator, size_t count) {
  std::vector<Number> numbers;
  for (size_t start = 0;;) {
    size_t end = text.find(separator, start);
    std::optional<Number> number = number_from<Number>(text.substr(start, end - start));
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

VariableSetting setting_from(std::string_view text) {
  size_t equals = text.find('=');
  if (equals != std::string_view::npos) {
    std::optional<uint32_t> variable = number_from<uint32_t>(text.substr(0, equals));
    std::optional<double> value = number_from<double>(text.substr(equals + 1));
    if (variable && value) return {*variable, *value};
  }
  malformed("--set wants VARIABLE=VALUE, such as 128=16384, not \"" + std::string(text) + "\"");
}

GaugePoint point_from(std::string_view text) {
  if (auto numbers = numbers_from<int32_t>(text, ',', 2)) return {(*numbers)[0], (*numbers)[1]};
  malformed("--click wants X,Y in gauge pixels, such as 130,20, not \"" + std::string(text) + "\"");
}

GaugeArea area_from(std::string_view text) {
  auto numbers = numbers_from<int32_t>(text, ',', 4);
  if (numbers && (*numbers)[2] > 0 && (*numbers)[3] > 0 && (*numbers)[2] <= 8192 && (*numbers)[3] <= 8192) {
    return {(*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]};
  }
  malformed("--area wants X,Y,WIDTH,HEIGHT with sizes from 1 to 8192, not \"" + std::string(text) + "\"");
}

int zoom_from(std::string_view text) {
  std::optional<int> zoom = number_from<int>(text);
  if (zoom && *zoom >= 1 && *zoom <= 8) return *zoom;
  malformed("--zoom wants a whole number from 1 to 8, not \"" + std::string(text) + "\"");
}

uint32_t rgb_from(std::string_view text) {
  std::optional<uint32_t> rgb = number_from<uint32_t>(text, 16);
  if (text.size() == 6 && rgb) return *rgb;
  malformed("--backdrop wants a colour as six hex digits RRGGBB, not \"" + std::string(text) + "\"");
}

uint32_t milliseconds_from(std::string_view text) {
  std::optional<uint32_t> ms = number_from<uint32_t>(text);
  if (ms && *ms <= 60000) return *ms;
  malformed("--wait wants milliseconds from 0 to 60000, not \"" + std::string(text) + "\"");
}

}  // namespace

BenchOptions parse_command_line(int argc, char** argv) {
  BenchOptions options;
  if (argc < 2) malformed("no command given");
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help") return options;
  }
  std::string_view command = argv[1];
  if (command == "render") {
    options.command = Command::render;
  } else if (command == "describe") {
    options.command = Command::describe;
  } else {
    malformed("unknown command \"" + std::string(command) + "\"; the commands are render and describe");
  }
  if (argc < 3 || argv[2][0] == '-') malformed(std::string(command) + " wants a gauge module file");
  options.module_path = argv[2];

  bool render = options.command == Command::render;
  for (int i = 3; i < argc; ++i) {
    std::string_view option = argv[i];
    if (option == "--json" && !render) {
      options.json = true;
      continue;
    }
    auto value = [&]() -> std::string_view {
      if (i + 1 >= argc) malformed(std::string(option) + " wants a value");
      return argv[++i];
    };
    if (option == "--gauge") {
      options.gauge_name = value();
    } else if (option == "--set") {
      options.settings.push_back(setting_from(value()));
    } else if (option == "--click") {
      options.clicks.push_back(point_from(value()));
    } else if (option == "--host-dir") {
      options.host_dir = value();
    } else if (option == "--wait") {
      options.wait_ms = milliseconds_from(value());
    } else if (option == "--out" && render) {
      options.out_path = value();
    } else if (option == "--area" && render) {
      options.areas.push_back(area_from(value()));
    } else if (option == "--zoom" && render) {
      options.zoom = zoom_from(value());
    } else if (option == "--backdrop" && render) {
      options.backdrop_rgb = rgb_from(value());
    } else {
      malformed("unknown option " + std::string(option) + " for " + std::string(command));
    }
  }
  if (render && options.out_path.empty()) malformed("render wants --out FILE.png");
  return options;
}
