// The tool package: the installed check and its download link.
#pragma once

namespace ql {

// Asks to install the package when bin\tool.ini is missing.
void OfferToolPackage();
void OpenToolPackageLink();
// Registers the network features' control actions (update check, package link).
void RegisterNetActions();

}  // namespace ql
