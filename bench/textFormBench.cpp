// Reading and writing the text form of a large drawing-like meta tree, and
// parsing the same drawing as XML with pugixml for comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextNumber.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "pooledBytes.h"
#include "textPieceSource.h"

#if defined(LORVANE_HAVE_PUGIXML)
#include <pugixml.hpp>
#endif

namespace {

using namespace lorvane;

constexpr std::size_t kTargetBytes = 50u * 1000u * 1000u;

// Writes one drawing twice over: in the text form (compact, as the writer
// puts it) and as XML with an element per key and the values as text.
class drawingEmitterC {
public:
  std::string text;
  std::string xml;
  std::size_t nodes = 0;

  void open(const char* key) {
    flushValues();
    text += key;
    text += '{';
    xml += '<';
    xml += key;
    xml += '>';
    keys_.push_back(key);
    ++nodes;
  }
  void close() {
    flushValues();
    text += '}';
    xml += "</";
    xml += keys_.back();
    xml += '>';
    keys_.pop_back();
  }
  void number(double value) {
    char digits[kTextNumberMaxChars];
    const std::size_t n = formatTextNumber(value, digits);
    if (valuesOpen_) {
      text += ',';
      xml += ' ';
    }
    text.append(digits, n);
    xml.append(digits, n);
    valuesOpen_ = true;
    ++nodes;
  }
  void string(std::string_view value) {
    if (valuesOpen_) {
      text += ',';
      xml += ' ';
    }
    text += '"';
    text += value;
    text += '"';
    xml += value;
    valuesOpen_ = true;
    ++nodes;
  }
  void attribute(const char* key, double value) {
    open(key);
    number(value);
    close();
  }
  void attribute(const char* key, std::string_view value) {
    open(key);
    string(value);
    close();
  }

private:
  void flushValues() { valuesOpen_ = false; }

  std::vector<const char*> keys_;
  bool valuesOpen_ = false;
};

// Coordinates of a drawing: millimetres with up to three decimals.
class coordinatesC {
public:
  double next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    const auto thousandths = static_cast<std::int64_t>((state_ >> 33) % 2000000) - 1000000;
    return static_cast<double>(thousandths) / 1000.0;
  }

private:
  std::uint64_t state_ = 0x2545F4914F6CDD1Dull;
};

void point(drawingEmitterC& out, coordinatesC& c) {
  out.open("POINT");
  out.number(c.next());
  out.number(c.next());
  out.close();
}

void figure(drawingEmitterC& out, coordinatesC& c, int index) {
  out.open("FIGURE");
  out.attribute("NAME", "view " + std::to_string(index));
  point(out, c);
  out.attribute("ROT", 90.0);
  out.open("FIGURITEMS");
  for (int item = 0; item < 200; ++item) {
    switch (item % 5) {
      case 0:
      case 1:
        out.open("LINE");
        point(out, c);
        point(out, c);
        out.close();
        break;
      case 2:
        out.open("ARC");
        point(out, c);
        point(out, c);
        point(out, c);
        out.close();
        break;
      case 3:
        out.open("TEXT");
        point(out, c);
        out.attribute("TEXT", "abc");
        out.attribute("HEIGHT", 2.5);
        out.close();
        break;
      default:
        out.open("SHAPEATTR");
        out.attribute("COLOR", 3.0);
        out.attribute("LAYER", static_cast<double>(item % 16));
        out.attribute("LINETYPE", "SOLID");
        out.close();
        break;
    }
  }
  out.close();
  out.close();
}

drawingEmitterC makeDrawing() {
  drawingEmitterC out;
  coordinatesC c;
  out.xml = "<?xml version=\"1.0\"?>";
  out.open("DRAWING");
  out.attribute("NAME", "benchmark drawing");
  out.open("DRAWINGITEMS");
  for (int i = 0; out.text.size() < kTargetBytes; ++i) figure(out, c, i);
  out.close();
  out.close();
  return out;
}

struct fixtureC {
  drawingEmitterC drawing = makeDrawing();
  metaObjectC tree;

  fixtureC() {
    metaTextReaderC reader;
    tree = reader.readTree(drawing.text, true);
    // The writer must give back exactly the text the tree was read from.
    if (reader.failed() || writeTree(tree.node(), false, false) != drawing.text) {
      std::fprintf(stderr, "text form round trip failed: %s\n", reader.errorText().c_str());
      std::abort();
    }
  }
};

fixtureC& fixture() {
  static fixtureC instance;
  return instance;
}

void setCounters(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["nodes"] = static_cast<double>(fixture().drawing.nodes);
}

void BM_ReadText(benchmark::State& state) {
  const std::string& text = fixture().drawing.text;
  metaTextReaderC reader;
  std::size_t treeBytes = 0;
  for (auto _ : state) {
    const std::size_t before = bench::pooledBytes();
    metaObjectC tree = reader.readTree(text, true);
    benchmark::DoNotOptimize(tree.node());
    state.PauseTiming();
    treeBytes = bench::pooledBytes() - before;
    tree.release();
    state.ResumeTiming();
  }
  setCounters(state, text.size());
  state.counters["bytes_per_node"] = static_cast<double>(treeBytes) / static_cast<double>(fixture().drawing.nodes);
}
BENCHMARK(BM_ReadText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same text handed out a window at a time, as the tool reads files: the
// copy into the window and the refills are all it may cost.

void BM_ReadTextThroughWindow(benchmark::State& state) {
  const std::string& text = fixture().drawing.text;
  metaTextReaderC reader;
  for (auto _ : state) {
    drawings::textPieceSourceC source{text};
    metaObjectC tree = reader.readTree(&drawings::textPieceSourceC::read, &source, true, text.size());
    benchmark::DoNotOptimize(tree.node());
    state.PauseTiming();
    tree.release();
    state.ResumeTiming();
  }
  setCounters(state, text.size());
}
BENCHMARK(BM_ReadTextThroughWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_WriteText(benchmark::State& state) {
  metaTreeC* tree = fixture().tree.node();
  const bool pretty = state.range(0) != 0;
  std::string out;
  std::size_t bytes = 0;
  for (auto _ : state) {
    out.clear();
    writeTree(tree, pretty, false, out);
    benchmark::DoNotOptimize(out.data());
    bytes = out.size();
  }
  setCounters(state, bytes);
}
BENCHMARK(BM_WriteText)->Arg(0)->Arg(1)->ArgName("pretty")->Unit(benchmark::kMillisecond)->MinTime(2.0);

#if defined(LORVANE_HAVE_PUGIXML)
void BM_ParseXmlPugixml(benchmark::State& state) {
  const std::string& xml = fixture().drawing.xml;
  for (auto _ : state) {
    auto* document = new pugi::xml_document;
    const pugi::xml_parse_result result = document->load_buffer(xml.data(), xml.size());
    if (!result) state.SkipWithError(result.description());
    benchmark::DoNotOptimize(document);
    state.PauseTiming();
    delete document;
    state.ResumeTiming();
  }
  setCounters(state, xml.size());
}
BENCHMARK(BM_ParseXmlPugixml)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Reading and pugixml in turn within each iteration, each timed in process
// CPU time: on a shared machine the two runs above drift apart by more than
// the difference between them, while a pair taken together sees the same
// load. pugixml_per_read is the median of the pairs' ratios (above 1:
// reading is faster).
void BM_ReadTextAgainstPugixml(benchmark::State& state) {
  const std::string& text = fixture().drawing.text;
  const std::string& xml = fixture().drawing.xml;
  metaTextReaderC reader;
  const auto seconds = [](std::clock_t from, std::clock_t to) {
    return static_cast<double>(to - from) / CLOCKS_PER_SEC;
  };
  std::vector<double> ratios;
  double readSeconds = 0.0;
  double xmlSeconds = 0.0;
  for (auto _ : state) {
    const std::clock_t start = std::clock();
    metaObjectC tree = reader.readTree(text, true);
    benchmark::DoNotOptimize(tree.node());
    const std::clock_t read = std::clock();
    auto* document = new pugi::xml_document;
    const pugi::xml_parse_result result = document->load_buffer(xml.data(), xml.size());
    benchmark::DoNotOptimize(document);
    const std::clock_t parsed = std::clock();
    state.PauseTiming();
    if (!result) state.SkipWithError(result.description());
    delete document;
    tree.release();
    state.ResumeTiming();
    readSeconds += seconds(start, read);
    xmlSeconds += seconds(read, parsed);
    ratios.push_back(seconds(read, parsed) / std::max(seconds(start, read), 1e-9));
  }
  std::nth_element(ratios.begin(), ratios.begin() + static_cast<std::ptrdiff_t>(ratios.size() / 2), ratios.end());
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["read_ms"] = readSeconds * 1e3 / iterations;
  state.counters["pugixml_ms"] = xmlSeconds * 1e3 / iterations;
  state.counters["pugixml_per_read"] = ratios.empty() ? 0.0 : ratios[ratios.size() / 2];
}
BENCHMARK(BM_ReadTextAgainstPugixml)->Unit(benchmark::kMillisecond)->MinTime(4.0);
#endif

// Prints the usual table, then how reading compares with pugixml: per byte
// of input and per drawing (the XML of the same drawing is longer).
class comparingReporterC : public benchmark::ConsoleReporter {
public:
  comparingReporterC() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      const auto bytes = run.counters.find("bytes_per_second");
      const auto size = run.counters.find("MB");
      if (bytes == run.counters.end() || size == run.counters.end()) continue;
      results_[run.run_name.function_name] = {bytes->second.value / 1e6, size->second.value};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto text = results_.find("BM_ReadText");
    const auto xml = results_.find("BM_ParseXmlPugixml");
    if (text == results_.end() || xml == results_.end()) return;
    const double textSeconds = text->second.megabytes / text->second.megabytesPerSecond;
    const double xmlSeconds = xml->second.megabytes / xml->second.megabytesPerSecond;
    std::printf("\ntext form %.1f MB at %.0f MB/s, XML %.1f MB at %.0f MB/s\n", text->second.megabytes,
                text->second.megabytesPerSecond, xml->second.megabytes, xml->second.megabytesPerSecond);
    std::printf("read / pugixml: %.2f per byte, %.2f per drawing (above 1: reading is faster)\n",
                text->second.megabytesPerSecond / xml->second.megabytesPerSecond, xmlSeconds / textSeconds);
  }

private:
  struct resultC {
    double megabytesPerSecond;
    double megabytes;
  };
  std::map<std::string, resultC> results_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  comparingReporterC reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
