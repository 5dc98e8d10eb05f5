// Speed of the settings lookup over a large autorun.inf whose entry stands at
// the end, on the Linux build (real files, the project's stand-ins).
//
//   lookup_bench                 Google Benchmark: bytes per second
//   lookup_bench --once FILE     one lookup over FILE (for callgrind)
//   lookup_bench --make FILE MB  writes such a file of about MB megabytes
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "settings.h"

namespace {

// Lines as media carry them: comments, other sections and keys of varied
// length, CR LF line ends; the entry comes last.
void MakeSettingsFile(const std::string& path, std::size_t megabytes) {
  std::ofstream file(path, std::ios::binary);
  std::size_t written = 0;
  for (unsigned i = 0; written < megabytes * 1024 * 1024; ++i) {
    std::string line;
    switch (i % 4) {
      case 0: line = "; comment number " + std::to_string(i); break;
      case 1: line = "[section" + std::to_string(i % 97) + "]"; break;
      case 2: line = "key" + std::to_string(i) + "=" + std::string(i % 120, 'v'); break;
      default: line = "  label = some text with blanks\t"; break;
    }
    line += "\r\n";
    file << line;
    written += line.size();
  }
  file << "[autorun]\r\nopen=setup.exe /auto\r\n";
}

std::size_t FileSize(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  return static_cast<std::size_t>(file.tellg());
}

void BM_LookupLargeFile(benchmark::State& state) {
  const std::string path = "lookup-bench.inf";
  MakeSettingsFile(path, static_cast<std::size_t>(state.range(0)));
  const std::size_t size = FileSize(path);
  for (auto _ : state) {
    std::string value = ReadSettingValue(path, "autorun", "OPEN", "");
    if (value != "setup.exe /auto") state.SkipWithError("entry not found");
    benchmark::DoNotOptimize(value);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  std::remove(path.c_str());
}
BENCHMARK(BM_LookupLargeFile)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--once") {
    std::printf("%s\n", ReadSettingValue(argv[2], "autorun", "OPEN", "").c_str());
    return 0;
  }
  if (argc == 4 && std::string(argv[1]) == "--make") {
    MakeSettingsFile(argv[2], static_cast<std::size_t>(std::atoi(argv[3])));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
