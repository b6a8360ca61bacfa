#include "ReportFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include "ReportJson.h"
#include "ReportPdf.h"
#include "ReportTexts.h"

namespace fendry {

std::optional<ReportFormat> reportFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.compare(QStringLiteral("json"), Qt::CaseInsensitive) == 0) {
        return ReportFormat::Json;
    }
    if (suffix.compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) {
        return ReportFormat::Pdf;
    }
    return std::nullopt;
}

QString writeReport(const RunRecord& record, const QString& fileName, ReportFormat format) {
    const QByteArray contents =
        format == ReportFormat::Json ? reportJson(record) : reportPdf(record);
    if (contents.isEmpty()) {
        return ReportTexts::tr("a PDF cannot be made here");
    }
    QSaveFile file(fileName);
    const bool isNew = !QFileInfo::exists(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (isNew) {
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    // Qt 6.4's commit() syncs before it writes out what it still holds, and misses a failure
    // of that last write (a full disk): flushed first, everything is written, checked and synced.
    if (file.write(contents) != contents.size() || !file.flush() || !file.commit()) {
        return file.errorString();
    }
    return {};
}

}  // namespace fendry
