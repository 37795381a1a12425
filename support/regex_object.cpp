// RegexObject: the 1-based, never-failing face of the per-build engine.
#include "support/regex_object.h"

#include "support/gbk_text.h"

namespace ql {

RegexObject::RegexObject() : leaveThread_(EnterRegexThread()) {}

RegexObject::RegexObject(const RegexObject& other)
    : run_(other.run_), subject_(other.subject_), leaveThread_(EnterRegexThread()) {}

RegexObject& RegexObject::operator=(const RegexObject& other) {
  if (this == &other) return *this;
  run_ = other.run_;
  subject_ = other.subject_;
  return *this;
}

RegexObject::~RegexObject() {
  // The engine goes before the thread leaves COM.
  run_.reset();
  if (leaveThread_) LeaveRegexThread();
}

bool RegexObject::Match(std::string_view pattern, std::string_view subject, bool caseSensitive, bool multiline,
                        bool global, bool quoteSubstitution) {
  run_.reset();
  subject_.assign(subject);
  std::string effective = quoteSubstitution ? ReplaceAll(pattern, "#引号", "\"") : std::string(pattern);
  run_ = ExecuteRegex(effective, subject_, RegexOptions{caseSensitive, multiline, global});
  return run_ != nullptr;
}

std::string RegexObject::GetPattern() const { return run_ ? run_->Pattern() : std::string(); }

std::string RegexObject::Replace(std::string_view replacement) const {
  return run_ ? run_->Replace(subject_, replacement) : std::string();
}

int32_t RegexObject::MatchCount() const { return run_ ? run_->MatchCount() : 0; }

std::string RegexObject::MatchText(int32_t index) const {
  if (index < 1 || index > MatchCount()) return {};
  return run_->MatchText(index - 1);
}

std::string RegexObject::SubMatchText(int32_t matchIndex, int32_t subIndex) const {
  if (matchIndex < 1 || matchIndex > MatchCount()) return {};
  if (subIndex < 1 || subIndex > run_->SubMatchCount(matchIndex - 1)) return {};
  return run_->SubMatchText(matchIndex - 1, subIndex - 1);
}

int32_t RegexObject::SubMatchCount() const { return MatchCount() > 0 ? run_->SubMatchCount(0) : 0; }

}  // namespace ql
