// Reading and writing a large one-line project file with the system's own
// reader and writer. Prints MB/s for each direction.

#include <benchmark/benchmark.h>

#include <string>

#include "xml/XmlDocument.h"

namespace {
// About 10 MB: a storm-sewer-like project with tens of thousands of elements.
const std::string& LargeProjectText() {
  static const std::string text = [] {
    std::string t =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\" "
        "unit=\"english\"><StormSewerDesign><Identification><PID>P-1</PID><Project>Large</Project>"
        "</Identification><StormSewerElementList>";
    for (int i = 1; t.size() < 10'000'000; ++i) {
      const std::string id = std::to_string(i);
      t += "<StormSewerElement id=\"" + id + "\"><UpstreamJunction>J" + id +
           "</UpstreamJunction>"
           "<DownstreamJunction>J" +
           std::to_string(i + 1) +
           "</DownstreamJunction><Length>123.456789012345</Length>"
           "<Slope>0.0125</Slope><RunoffCoefficient>0.65</RunoffCoefficient><DrainageArea>1.25</DrainageArea>"
           "<Description>Run &amp; branch " +
           id + "</Description><Empty/></StormSewerElement>";
    }
    t += "</StormSewerElementList></StormSewerDesign></Application>";
    return t;
  }();
  return text;
}

void BM_Read(benchmark::State& state) {
  const std::string& text = LargeProjectText();
  for (auto _ : state) {
    TXMLDocument document;
    document.Parse(text);
    benchmark::DoNotOptimize(document.GetRoot());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_Write(benchmark::State& state) {
  TXMLDocument document;
  document.Parse(LargeProjectText());
  size_t bytes = 0;
  for (auto _ : state) {
    std::string out = document.GetXML();
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
}  // namespace

BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
