// How long one catalog search takes (it splits the two catalog texts on every
// run): the empty text (41 hits), a common word, and a 1,000-byte text.
#include <chrono>
#include <cstdio>
#include <string>

#include "launcher/tool_catalog.h"

int main() {
  const std::string needles[] = {"", "cpuz", "工具", std::string(1000, 'a')};
  const int rounds = 20000;
  for (const std::string& needle : needles) {
    auto start = std::chrono::steady_clock::now();
    size_t hits = 0;
    for (int i = 0; i < rounds; ++i) hits += ql::RunCatalogSearch(needle).size();
    double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / rounds;
    std::printf("needle of %4zu bytes: %2zu hits, %.2f us per search\n", needle.size(), hits / rounds, us);
  }
  return 0;
}
