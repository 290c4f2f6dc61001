// The system's reader and writer side by side with pugixml on the same
// ~20 MB one-line project text. Rounds alternate between the two so that a
// busy machine slows both alike; the figures are the medians of the rounds
// and the ratio is the system's time over pugixml's.
//
//   bench_xml_vs_pugixml [rounds] [megabytes]

#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "xml/XmlDocument.h"

namespace {
// A storm-sewer-like project: runs of leaves, an attribute, an entity, an
// empty element, as the system's writer lays them out.
std::string ProjectText(size_t bytes) {
  std::string t =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\" "
      "unit=\"english\"><StormSewerDesign><Identification><PID>P-1</PID><Project>Large</Project>"
      "</Identification><StormSewerElementList>";
  for (int i = 1; t.size() < bytes; ++i) {
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
}

struct TStringWriter : pugi::xml_writer {
  std::string Out;
  void write(const void* data, size_t size) override { Out.append(static_cast<const char*>(data), size); }
};

template <typename F>
double Seconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

volatile size_t Sink = 0;

// Ends a read round: one allocation of a page makes the allocator settle
// the small blocks the round freed (glibc sweeps them on the next larger
// request), so that a round does not hand its own cleanup to the next.
void Settle() {
  std::unique_ptr<char[]> page(new char[4096]);
  Sink = Sink + static_cast<size_t>(page[0] = 1);
}
}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const double megabytes = argc > 2 ? std::atof(argv[2]) : 20;
  const std::string text = ProjectText(static_cast<size_t>(std::max(0.1, megabytes) * 1e6));

  // The trees the writers write, read once.
  TXMLDocument ours;
  ours.Parse(text);
  pugi::xml_document theirs;
  if (!theirs.load_buffer(text.data(), text.size())) {
    std::fprintf(stderr, "pugixml could not read the text\n");
    return 1;
  }
  if (ours.GetXML() != text) {
    std::fprintf(stderr, "the system's writer does not give back the text it read\n");
    return 1;
  }

  std::vector<double> readOurs, readTheirs, writeOurs, writeTheirs;
  for (int round = 0; round < rounds; ++round) {
    readOurs.push_back(Seconds([&] {
      {
        TXMLDocument document;
        document.Parse(text);
        Sink = Sink + document.GetRoot()->ChildCount();
      }
      Settle();
    }));
    readTheirs.push_back(Seconds([&] {
      {
        pugi::xml_document document;
        document.load_buffer(text.data(), text.size());
        Sink = Sink + static_cast<size_t>(document.first_child().type());
      }
      Settle();
    }));
    writeOurs.push_back(Seconds([&] {
      const std::string out = ours.GetXML();
      Sink = Sink + out.size();
    }));
    writeTheirs.push_back(Seconds([&] {
      TStringWriter writer;
      writer.Out.reserve(text.size());
      theirs.save(writer, "", pugi::format_raw, pugi::encoding_latin1);
      Sink = Sink + writer.Out.size();
    }));
  }

  const double mb = static_cast<double>(text.size()) / 1e6;
  auto line = [&](const char* what, const std::vector<double>& mine, const std::vector<double>& pugi) {
    const double a = Median(mine), b = Median(pugi);
    std::printf("%-6s system %7.1f MB/s (%6.1f ms)   pugixml %7.1f MB/s (%6.1f ms)   ratio %.2f\n", what, mb / a,
                a * 1e3, mb / b, b * 1e3, a / b);
  };
  std::printf("%.1f MB project text, %d alternating rounds, medians; ratio = system time / pugixml time\n", mb, rounds);
  line("read", readOurs, readTheirs);
  line("write", writeOurs, writeTheirs);
  return 0;
}
