// How the bench ends when it cannot go on: one line on the error stream and an exit code that tells the
// kind of fault. It never throws: many faults are found inside host services that the module calls, and
// the module's code cannot be unwound.
#pragma once

#include <string>

enum class ExitCode : int {
  ok = 0,
  malformed_arguments = 1,
  cannot_load = 2,          // no such file, not a Windows module, no such host folder
  not_a_gauge_module = 3,   // Linkage or ImportTable missing, or a fixed value wrong
  unknown_gauge = 4,
  bad_records = 5,          // element tree, mouse list or bitmap that the host cannot use
  forbidden_service = 6,    // the module called a host service that gauges must not use
  cannot_write = 7,
};

[[noreturn]] void fail(ExitCode code, const std::string& message);
