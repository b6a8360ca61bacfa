#pragma once

#include <QUrl>
#include <filesystem>
#include <functional>

namespace fendry {

// Shows the item selected in the desktop's file manager; when no file manager answers, opens
// the folder that holds it, and when nothing can open that either, hands its URL to
// `unopened`.
void revealInFileManager(const std::filesystem::path& entry,
                         std::function<void(const QUrl& folder)> unopened);

}  // namespace fendry
