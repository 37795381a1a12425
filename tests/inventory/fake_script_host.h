// A script host that answers known scripts with canned record text (or a
// number) and records how hosts were opened and used.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "inventory/script_host.h"

namespace ql {

class FakeScriptHosts : public ScriptHostFactory {
 public:
  std::map<std::string, std::string> texts;  // script -> GetA() text
  std::map<std::string, double> numbers;     // script -> number
  // Per host opened: the scripts it evaluated, in order.
  std::vector<std::vector<std::string>> hosts;
  // Hosts still open (a detector must release every host it opens).
  int open = 0;

  std::unique_ptr<ScriptHost> OpenHost() override {
    hosts.emplace_back();
    ++open;
    return std::make_unique<Host>(*this, hosts.size() - 1);
  }

 private:
  class Host : public ScriptHost {
   public:
    Host(FakeScriptHosts& owner, size_t index) : owner_(owner), index_(index) {}
    ~Host() override { --owner_.open; }
    std::string EvaluateText(std::string_view script) override {
      owner_.hosts[index_].emplace_back(script);
      auto it = owner_.texts.find(std::string(script));
      return it == owner_.texts.end() ? "" : it->second;
    }
    double EvaluateFirstNumber(std::string_view script) override {
      owner_.hosts[index_].emplace_back(script);
      auto it = owner_.numbers.find(std::string(script));
      return it == owner_.numbers.end() ? 0 : it->second;
    }
    std::string EvaluateAgain(std::string_view script) override { return EvaluateText(script); }

   private:
    FakeScriptHosts& owner_;
    size_t index_;
  };
};

}  // namespace ql
