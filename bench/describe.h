// The describe view: a gauge's element records and mouse areas as the host reads them, in words or as
// JSON.
#pragma once

#include "bench_host.h"

void print_description(const BenchHost& host, bool json);
