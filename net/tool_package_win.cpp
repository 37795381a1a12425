// The tool-package check (not wired to the network yet).
#include "net/tool_package_win.h"

namespace ql {

void OfferToolPackage() {}
void OpenToolPackageLink() {}
void RegisterNetActions() {}

}  // namespace ql
