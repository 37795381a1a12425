// The portable engine for the native build: std::regex in ECMAScript syntax,
// the dialect of the system's VBScript engine. Like that engine it works on
// UTF-16 (so a pattern never matches half of a two-byte GBK character), folds
// ASCII letters only, keeps \w \d \s to ASCII, and in multi-line mode lets
// "^" and "$" meet a CR or LF on either side.
#include <regex>
#include <vector>

#include "support/gbk_text.h"
#include "support/regex_engine.h"

namespace ql {
namespace {

struct VbTraits : std::regex_traits<wchar_t> {
  wchar_t translate_nocase(wchar_t c) const { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }
  bool isctype(wchar_t c, char_class_type f) const { return c < 0x80 && std::regex_traits<wchar_t>::isctype(c, f); }
};

using VbRegex = std::basic_regex<wchar_t, VbTraits>;
using VbIterator = std::regex_iterator<std::wstring::const_iterator, wchar_t, VbTraits>;

std::wstring ToWide(std::string_view gbk) {
  std::u16string u = GbkToUtf16(gbk);
  return std::wstring(u.begin(), u.end());
}

std::string ToGbk(const std::wstring& wide) {
  std::u16string u(wide.begin(), wide.end());
  return Utf16ToGbk(u);
}

class PortableRun final : public RegexRun {
 public:
  PortableRun(std::string pattern, VbRegex re, bool global)
      : pattern_(std::move(pattern)), re_(std::move(re)), global_(global) {}

  void Execute(const std::wstring& subject) {
    auto add = [&](const std::match_results<std::wstring::const_iterator>& m) {
      std::vector<std::string> found;
      found.push_back(ToGbk(m.str(0)));
      for (size_t g = 1; g < m.size(); ++g) found.push_back(m[g].matched ? ToGbk(m.str(g)) : "");
      matches_.push_back(std::move(found));
    };
    if (global_) {
      for (VbIterator it(subject.begin(), subject.end(), re_), end; it != end; ++it) add(*it);
    } else {
      std::match_results<std::wstring::const_iterator> m;
      if (std::regex_search(subject.cbegin(), subject.cend(), m, re_)) add(m);
    }
  }

  std::string Pattern() const override { return pattern_; }
  int32_t MatchCount() const override { return static_cast<int32_t>(matches_.size()); }
  std::string MatchText(int32_t match) const override {
    return Valid(match) ? matches_[static_cast<size_t>(match)][0] : std::string();
  }
  int32_t SubMatchCount(int32_t match) const override {
    return Valid(match) ? static_cast<int32_t>(matches_[static_cast<size_t>(match)].size() - 1) : 0;
  }
  std::string SubMatchText(int32_t match, int32_t sub) const override {
    if (!Valid(match) || sub < 0 || sub >= SubMatchCount(match)) return {};
    return matches_[static_cast<size_t>(match)][static_cast<size_t>(sub) + 1];
  }
  std::string Replace(std::string_view subject, std::string_view replacement) const override {
    try {
      auto flags = global_ ? std::regex_constants::format_default : std::regex_constants::format_first_only;
      return ToGbk(std::regex_replace(ToWide(subject), re_, ToWide(replacement), flags));
    } catch (...) {
      return {};
    }
  }

 private:
  bool Valid(int32_t match) const { return match >= 0 && match < MatchCount(); }

  std::string pattern_;
  VbRegex re_;
  bool global_;
  // Per match: the whole match, then each capture group.
  std::vector<std::vector<std::string>> matches_;
};

}  // namespace

std::shared_ptr<const RegexRun> ExecuteRegex(std::string_view pattern, std::string_view subject,
                                             const RegexOptions& options) {
  try {
    auto syntax = std::regex_constants::ECMAScript;
    if (!options.caseSensitive) syntax |= std::regex_constants::icase;
    if (options.multiline) syntax |= std::regex_constants::multiline;
    VbRegex re(ToWide(pattern), syntax);
    auto run = std::make_shared<PortableRun>(std::string(pattern), std::move(re), options.global);
    run->Execute(ToWide(subject));
    return run;
  } catch (...) {
    // A rejected pattern, or a search too deep for the engine.
    return nullptr;
  }
}

bool EnterRegexThread() { return false; }
void LeaveRegexThread() {}

}  // namespace ql
