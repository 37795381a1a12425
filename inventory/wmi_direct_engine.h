// A query shape evaluated without a script engine: the objects of its query
// are walked as the script's For Each walks them, and every record line is
// applied to R as VBScript would apply it. The result is the value GetA()
// would return; nullopt wherever the script would raise an error (the query
// fails, an object lacks a property, "&" meets an array or object), which the
// host turns into "" as it does for a failed script.
#pragma once

#include <optional>
#include <string_view>

#include "inventory/script_value.h"
#include "inventory/wmi_query_script.h"

namespace ql {

// The objects of one query, one after the other.
class WmiObjectCursor {
 public:
  enum class Step { Object, End, Failed };
  virtual ~WmiObjectCursor() = default;
  virtual Step Next() = 0;
  // A property of the current object; nullopt when the object has none of
  // that name (or it cannot be read).
  virtual std::optional<ScriptValue> Property(std::string_view name) = 0;
};

std::optional<ScriptValue> EvaluateQueryShape(const WmiQueryShape& shape, WmiObjectCursor& objects,
                                              const ConcatStyle& style);

}  // namespace ql
