#pragma once

#include <filesystem>
#include <functional>

namespace fendry {

// Shows the item selected in the desktop's file manager; when no file manager answers, opens
// the folder that holds it, and when nothing can open that either, hands that folder to
// `unopened`.
void revealInFileManager(const std::filesystem::path& entry,
                         std::function<void(const std::filesystem::path& folder)> unopened);

}  // namespace fendry
