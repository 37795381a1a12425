// The engine behind RegexObject, one per build: the system's VBScript
// regular expressions through COM on Windows, a portable engine with the same
// dialect elsewhere. Texts are GBK on both sides of this interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ql {

struct RegexOptions {
  bool caseSensitive = false;
  bool multiline = true;
  bool global = true;
};

// One executed search: the engine with its pattern and the match collection.
// Indexes are 0-based here; every index outside the collection gives "".
class RegexRun {
 public:
  virtual ~RegexRun() = default;
  virtual std::string Pattern() const = 0;
  virtual int32_t MatchCount() const = 0;
  virtual std::string MatchText(int32_t match) const = 0;
  // Capture groups of one match; a group that took no part gives "".
  virtual int32_t SubMatchCount(int32_t match) const = 0;
  virtual std::string SubMatchText(int32_t match, int32_t sub) const = 0;
  // Every match (with global) or the first one replaced; "$1", "$&", "$$"
  // and the like in the replacement follow the engine's rules. "" on failure.
  virtual std::string Replace(std::string_view subject, std::string_view replacement) const = 0;
};

// Creates an engine, sets the options and the pattern and executes it over
// the subject; nullptr when the engine cannot be created or rejects the
// pattern. Never throws.
std::shared_ptr<const RegexRun> ExecuteRegex(std::string_view pattern, std::string_view subject,
                                             const RegexOptions& options);

// What the engine needs on the calling thread (COM on Windows) for as long as
// a RegexObject lives; balanced by LeaveRegexThread only when it returned true.
bool EnterRegexThread();
void LeaveRegexThread();

}  // namespace ql
