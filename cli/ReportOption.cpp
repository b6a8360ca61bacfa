#include "ReportOption.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

#include "CliText.h"
#include "PrintableText.h"
#include "ReportFile.h"
#include "RunRecord.h"
#include "StorageProbe.h"

namespace fendry {

namespace {

// The value of the last --report before "--", as the parser will read it.
std::optional<QString> reportArgument(int argc, char* argv[]) {
    std::optional<QString> value;
    constexpr const char kEquals[] = "--report=";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            break;
        }
        if (std::strcmp(argv[i], "--report") == 0 && i + 1 < argc) {
            value = QFile::decodeName(argv[++i]);
        } else if (std::strncmp(argv[i], kEquals, sizeof kEquals - 1) == 0) {
            value = QFile::decodeName(argv[i] + sizeof kEquals - 1);
        }
    }
    return value;
}

// A name as the terminal shows names.
QString shown(const QString& name) {
    return QString::fromStdString(printable(QFile::encodeName(name).toStdString()));
}

std::string real(const PendingItem& item) {
    return item.chosen.folder + "/" + withoutTrailingSlash(item.path).filename().native();
}

// The terminal hears the program's own lines; the offscreen platform's notes (a session's
// runtime folder that is not set, say) are not news to someone erasing files.
void onlyGraveMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "fendry-cli: %s\n", qUtf8Printable(message));
    }
}

}  // namespace

std::unique_ptr<QCoreApplication> cliApplication(int argc, char* argv[]) {
    static int count = 1;
    static char* name[] = {argv[0], nullptr};
    const auto report = reportArgument(argc, argv);
    if (report && reportFormatOf(*report) != ReportFormat::Json) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(onlyGraveMessages);
        return std::make_unique<QGuiApplication>(count, name);
    }
    return std::make_unique<QCoreApplication>(count, name);
}

std::optional<QString> reportRefusal(const QString& fileName, const PendingList& items) {
    if (!reportFormatOf(fileName)) {
        return FendryCli::tr("the report's name must end in .pdf or .json: '%1'")
            .arg(shown(fileName));
    }
    const QFileInfo report(fileName);
    const QString folder = report.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        return FendryCli::tr("the report's folder does not exist: '%1'").arg(shown(folder));
    }
    if (report.isDir()) {
        return FendryCli::tr("the report's name is a folder: '%1'").arg(shown(fileName));
    }
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0) {
        return FendryCli::tr("the report's folder is not writable: '%1'").arg(shown(folder));
    }
    // Where it would really lie, links on its way resolved as the items' places were.
    const std::string place =
        QFile::encodeName(QDir(folder).canonicalPath() + QLatin1Char('/') + report.fileName())
            .toStdString();
    for (const auto& item : items) {
        if (item.chosen.folder.empty()) {
            continue;
        }
        const std::string chosen = real(item);
        if (place == chosen || (isFolder(item.path) && place.rfind(chosen + "/", 0) == 0)) {
            return FendryCli::tr("the report '%1' would lie inside what is to be erased")
                .arg(shown(fileName));
        }
    }
    return std::nullopt;
}

bool writeRunReport(const RunState& state, const QString& fileName) {
    RunRecord record = recordOf(state, StorageProbe());
    record.version = QCoreApplication::applicationVersion().toStdString();
    const QString error =
        writeReport(record, fileName, reportFormatOf(fileName).value_or(ReportFormat::Pdf));
    if (error.isEmpty()) {
        return true;
    }
    std::fprintf(stderr, "fendry-cli: %s\n",
                 qUtf8Printable(FendryCli::tr("the report could not be written to '%1': %2")
                                    .arg(shown(fileName), error)));
    return false;
}

}  // namespace fendry
