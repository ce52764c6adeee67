#include "editor/line_ends.h"

#include <algorithm>

namespace nrv {

namespace {

constexpr uint64_t kHashStart = 0xCBF29CE484222325ULL;
constexpr uint64_t kHashPrime = 0x100000001B3ULL;

void EndLine(LineEnds& lines, LineEnd end) {
  lines.ends.push_back(end);
  lines.prints.push_back(lines.hash);
  lines.hash = kHashStart;
}

}  // namespace

void NoteLineEnds(LineEnds& lines, Text& units, size_t from) {
  size_t to = from;
  uint64_t hash = lines.hash;
  for (size_t i = from; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (lines.pendingCr) {
      lines.pendingCr = false;
      if (u == u'\n') {
        lines.ends.back() = LineEnd::CrLf;
        continue;
      }
    }
    if (u == u'\r' || u == u'\n') {
      lines.hash = hash;
      EndLine(lines, u == u'\r' ? LineEnd::Cr : LineEnd::Lf);
      hash = lines.hash;
      lines.pendingCr = u == u'\r';
      units[to++] = u'\r';
      continue;
    }
    hash = (hash ^ u) * kHashPrime;
    units[to++] = u;
  }
  lines.hash = hash;
  units.resize(to);
}

void FinishLineEnds(LineEnds& lines) {
  lines.prints.push_back(lines.hash);
  lines.hash = kHashStart;
  lines.pendingCr = false;
  const auto& ends = lines.ends;
  lines.mixed = std::adjacent_find(ends.begin(), ends.end(), std::not_equal_to<>()) != ends.end();
}

void ForgetWhenAlike(LineEnds& lines) {
  auto& ends = lines.ends;
  if (!lines.mixed) {
    // Only the first break is needed: it is every break.
    if (ends.size() > 1) ends.erase(ends.begin() + 1, ends.end());
    ends.shrink_to_fit();
    lines.prints.clear();
    lines.prints.shrink_to_fit();
  }
}

std::vector<LineEnd> PlanLineEnds(const LineEnds& loaded, const std::vector<uint64_t>& current,
                                  LineEnd fallback) {
  const auto& old = loaded.prints;
  const size_t n = old.size(), m = current.size();
  size_t same = 0;  // lines alike from the start
  while (same < n && same < m && old[same] == current[same]) ++same;
  size_t tail = 0;  // and from the end, not overlapping them
  while (tail < n - same && tail < m - same && old[n - 1 - tail] == current[m - 1 - tail]) ++tail;
  std::vector<LineEnd> plan;
  plan.reserve(m ? m - 1 : 0);
  for (size_t i = 0; i + 1 < m; ++i) {
    // The loaded line whose break this one takes; n + 1 for none.
    size_t from;
    if (i < same)
      from = i;
    else if (i >= m - tail)
      from = i + n - m;
    else if (n - tail > same)
      from = std::min(i, n - tail - 1);
    else
      from = same > 0 ? same - 1 : n + 1;
    if (from + 1 < n)
      plan.push_back(loaded.ends[from]);
    else
      plan.push_back(loaded.ends.empty() ? fallback : loaded.ends.back());
  }
  return plan;
}

}  // namespace nrv
