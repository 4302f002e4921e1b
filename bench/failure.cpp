#include "failure.h"

#include <windows.h>

#include <cstdio>

void fail(ExitCode code, const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "gauge-bench: %s\n", message.c_str());
  std::fflush(stderr);
  ExitProcess(static_cast<UINT>(code));
}
