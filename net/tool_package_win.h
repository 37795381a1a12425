// The tool package: the installed check and its download link.
#pragma once

#include <string>
#include <string_view>

#include "net/web_pages.h"
#include "support/user_prompts.h"

namespace ql {

// Asks to install the package when binDir\tool.ini is missing, and on Yes
// opens its link.
void OfferToolPackage(UserPrompts& prompts, std::string_view binDir, std::string_view folderPage);
// Reads the package link from the folder page and opens it, or says the
// network failed.
void OpenToolPackageLink(UserPrompts& prompts, std::string_view folderPage);
// Registers the network features' control actions: "点击检测更新" and the
// card "下载工具包". `update` and `prompts` must outlive them.
void RegisterNetActions(UpdateCheckView& update, UserPrompts& prompts, std::string_view folderPage);

}  // namespace ql
