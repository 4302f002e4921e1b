// The bench's faults: each gives a message on the error stream and the exit code that names its kind.
#include <gtest/gtest.h>

#include "bench_run.h"

namespace {

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
