#include "LaunchArguments.h"

#include <QUrl>
#include <algorithm>
#include <cctype>

#include "LocalPaths.h"

namespace fendry {

namespace {

// "scheme:" followed by "//" or, for files, any path ("file:/x" is a file URL too).
bool looksLikeUrl(const std::string& argument) {
    if (argument.starts_with("file:")) {
        return true;
    }
    const auto colon = argument.find("://");
    if (colon == std::string::npos || colon == 0 ||
        !std::isalpha(static_cast<unsigned char>(argument[0]))) {
        return false;
    }
    return std::all_of(argument.begin(), argument.begin() + colon, [](unsigned char c) {
        return std::isalnum(c) || c == '+' || c == '-' || c == '.';
    });
}

}  // namespace

std::vector<std::filesystem::path> itemsFromArguments(const std::vector<std::string>& arguments,
                                                      const std::filesystem::path& workingFolder) {
    std::vector<std::filesystem::path> items;
    for (const std::string& argument : arguments) {
        if (argument.empty()) {
            continue;
        }
        if (looksLikeUrl(argument)) {
            if (auto path = localPathOf(QUrl(QString::fromUtf8(argument), QUrl::StrictMode))) {
                items.push_back(std::move(*path));
            }
            continue;
        }
        const std::filesystem::path path(argument);
        items.push_back(path.is_absolute() ? path : workingFolder / path);
    }
    return items;
}

}  // namespace fendry
