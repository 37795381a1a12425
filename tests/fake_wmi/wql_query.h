// The part of WQL the toolbox's queries use, over a MachineData:
//   Select * From C
//   Select A, B From C
//   ... Where P = 'v'   (one equality; "\\" inside the quotes is a backslash)
// Keywords, class and property names ignore ASCII case, as WMI does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fake_wmi/machine_data.h"

namespace fakewmi {

struct WqlCondition {
  std::string property;
  std::string literal;  // the value with its escapes resolved
  bool quoted = true;   // 'text' or "text"; false for a bare number or TRUE/FALSE
};

struct WqlQuery {
  std::string className;
  std::vector<std::string> properties;  // empty for "*"
  std::optional<WqlCondition> condition;
};

// nullopt for anything outside the subset above.
std::optional<WqlQuery> ParseWqlQuery(std::string_view text);

enum class QueryOutcome { kOk, kInvalidQuery, kInvalidClass };

struct QueryResult {
  QueryOutcome outcome = QueryOutcome::kOk;
  // The matching objects in file order, each cut down to the selected
  // properties. A selected or compared property an object lacks is simply
  // absent from it (and never matches).
  std::vector<WmiObject> objects;
};

// A class is known when the data holds an object of it or it is one of the
// classes the toolbox reads (so a machine without monitors answers a monitor
// query with no objects rather than an error).
QueryResult RunQuery(const MachineData& data, std::string_view text);

// root\cimv2 in any case, alone or after \\.\ or \\localhost\ (either slash).
bool IsServedNamespace(std::string_view resource);

}  // namespace fakewmi
