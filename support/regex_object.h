// A small regular-expression object in the VBScript dialect: one Match call
// sets pattern and options and searches a subject; the other calls read the
// matches (1-based) or replace them. Copies share the executed search and
// copy the subject. An object belongs to the thread that created it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "support/regex_engine.h"

namespace ql {

class RegexObject {
 public:
  RegexObject();
  RegexObject(const RegexObject& other);
  RegexObject& operator=(const RegexObject& other);
  ~RegexObject();

  // True when the search ran (also without any match); false when the engine
  // could not be created or rejected the pattern. With quoteSubstitution
  // every "#引号" in the pattern stands for a double quote.
  bool Match(std::string_view pattern, std::string_view subject, bool caseSensitive = false, bool multiline = true,
             bool global = true, bool quoteSubstitution = false);
  std::string GetPattern() const;
  std::string Replace(std::string_view replacement) const;
  int32_t MatchCount() const;
  std::string MatchText(int32_t index) const;
  std::string SubMatchText(int32_t matchIndex, int32_t subIndex) const;
  // The number of capture groups, read from the first match; 0 without one.
  int32_t SubMatchCount() const;

 private:
  std::shared_ptr<const RegexRun> run_;
  std::string subject_;
  bool leaveThread_ = false;
};

}  // namespace ql
