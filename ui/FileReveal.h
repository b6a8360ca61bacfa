#pragma once

#include <filesystem>
#include <functional>

namespace fendry {

// Shows the item selected in the desktop's file manager; when no file manager answers, opens
// the folder that holds it with the desktop's application for folders, unless that is Fendry;
// when that cannot be, hands that folder to `unopened`.
void revealInFileManager(const std::filesystem::path& entry,
                         std::function<void(const std::filesystem::path& folder)> unopened);

}  // namespace fendry
