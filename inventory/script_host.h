// What the detectors see of the script control: a host is one open
// instance; a factory opens a new one for each use. Every failure gives ""
// or 0 and never throws, so a caller cannot tell it from a query without
// objects. On Windows the factory is ScriptControlFactory (script_host_win.h);
// tests hand the detectors a fake with canned record text.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace ql {

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // Adds the script (its Function GetA) and evaluates "GetA()" as text.
  virtual std::string EvaluateText(std::string_view script) = 0;
  // As EvaluateText, as a number; an array result gives its element at the
  // lower bound.
  virtual double EvaluateFirstNumber(std::string_view script) = 0;
  // A further script on the same open host: its GetA replaces the earlier one.
  virtual std::string EvaluateAgain(std::string_view script) = 0;
};

class ScriptHostFactory {
 public:
  virtual ~ScriptHostFactory() = default;
  // A new host, never null (a host that could not be created evaluates to "").
  virtual std::unique_ptr<ScriptHost> OpenHost() = 0;
};

// Hosts whose every evaluation fails ("" and 0): a detector run over them
// gives exactly its failed-query result.
ScriptHostFactory& FailingScriptHosts();

// One evaluation in a host of its own, released right after.
std::string EvaluateTextOnce(ScriptHostFactory& hosts, std::string_view script);
double EvaluateFirstNumberOnce(ScriptHostFactory& hosts, std::string_view script);

}  // namespace ql
