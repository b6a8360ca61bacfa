#include "SupportRequest.h"

namespace fendry {

namespace {

// A query value keeps letters, digits, "-._~" and "!$'()*,;:@/?" as they are. "&", "=", "+"
// and "#" would end or change the value in a mail application's hands, so they are encoded.
QByteArray encodedQueryValue(const QString& text) {
    return QUrl::toPercentEncoding(text, "!$'()*,;:@/?");
}

}  // namespace

QUrl supportMailUrl(const QString& address, QString applicationName,
                    const std::optional<QString>& subject) {
    if (applicationName.isEmpty()) {
        applicationName = QStringLiteral("App");
    }
    const QString subjectText =
        subject.value_or(applicationName + QStringLiteral(" Support Request"));
    const QString body = QStringLiteral("Hello ") + applicationName +
                         QStringLiteral(" Team,\n\nI need assistance with the following:\n\n");
    const QByteArray text = "mailto:" + QUrl::toPercentEncoding(address, "@") +
                            "?subject=" + encodedQueryValue(subjectText) +
                            "&body=" + encodedQueryValue(body);
    return QUrl::fromEncoded(text, QUrl::StrictMode);
}

}  // namespace fendry
