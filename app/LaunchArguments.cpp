#include "LaunchArguments.h"

#include <QUrl>

#include "LocalPaths.h"

std::vector<std::filesystem::path> itemsFromArguments(const std::vector<std::string>& arguments,
                                                      const std::filesystem::path& workingFolder) {
    std::vector<std::filesystem::path> items;
    for (const std::string& argument : arguments) {
        if (argument.empty()) {
            continue;
        }
        if (argument.starts_with("file:")) {
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
