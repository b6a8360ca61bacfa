#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace fendry {

// The "mailto:" URL of a new support message: to `address`, with the subject (by default the
// application's name and " Support Request") and the first lines of the body filled in. An
// empty `applicationName` reads as "App". Invalid when the text does not form a URL.
QUrl supportMailUrl(const QString& address, QString applicationName,
                    const std::optional<QString>& subject = std::nullopt);

}  // namespace fendry
