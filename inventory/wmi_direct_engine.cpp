// The record lines of a query shape applied as the script applies them.
#include "inventory/wmi_direct_engine.h"

#include <string>

namespace ql {
namespace {

// The value of one operand. `objects` is null after the loop, where "obj" is
// no longer an object and reading a property of it is an error.
std::optional<ScriptValue> TermValue(const RecordTerm& term, int64_t count, bool counts, WmiObjectCursor* objects) {
  switch (term.kind) {
    case RecordTerm::Kind::Text: return ScriptValue::OfText(term.text);
    case RecordTerm::Kind::LineEnd: return ScriptValue::OfText("\r\n");
    // Cstr(i): i stays Empty until the first object, and Cstr(Empty) is "".
    case RecordTerm::Kind::Count: return ScriptValue::OfText(counts && count > 0 ? std::to_string(count) : "");
    case RecordTerm::Kind::Property:
      if (!objects) return std::nullopt;
      return objects->Property(term.text);
  }
  return std::nullopt;
}

bool ApplyLine(const RecordLine& line, ScriptValue& r, int64_t count, bool counts, WmiObjectCursor* objects,
               const ConcatStyle& style) {
  if (line.terms.empty()) return false;
  std::optional<ScriptValue> value;
  if (line.op != RecordOp::Assign) value = r;
  for (const RecordTerm& term : line.terms) {
    std::optional<ScriptValue> operand = TermValue(term, count, counts, objects);
    if (!operand) return false;
    if (!value) {
      value = std::move(*operand);
      continue;
    }
    value = Concatenate(*value, *operand, style);
    if (!value) return false;
  }
  // "R = obj.P" of an object would ask the object for its default value,
  // which WMI objects do not have.
  if (value->kind == ScriptValue::Kind::Other) return false;
  r = std::move(*value);
  return true;
}

}  // namespace

std::optional<ScriptValue> EvaluateQueryShape(const WmiQueryShape& shape, WmiObjectCursor& objects,
                                              const ConcatStyle& style) {
  ScriptValue r;  // Dim R: Empty
  int64_t count = 0;
  for (;;) {
    WmiObjectCursor::Step step = objects.Next();
    if (step == WmiObjectCursor::Step::Failed) return std::nullopt;
    if (step == WmiObjectCursor::Step::End) break;
    ++count;
    for (const RecordLine& line : shape.perObjectLines)
      if (!ApplyLine(line, r, count, shape.counts, &objects, style)) return std::nullopt;
  }
  if (shape.afterLoop && !ApplyLine(*shape.afterLoop, r, count, shape.counts, nullptr, style)) return std::nullopt;
  return r;
}

}  // namespace ql
