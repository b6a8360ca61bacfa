#pragma once

#include <QString>
#include <optional>

#include "RunRecord.h"

namespace fendry {

enum class ReportFormat { Json, Pdf };

// The format a report's file name asks for, by its extension in any letter case: ".json" or
// ".pdf"; none for any other name.
std::optional<ReportFormat> reportFormatOf(const QString& fileName);

// Writes the report whole or not at all: into a new file beside `fileName` that then takes its
// place. A new report is readable by its owner only, since it lists the names of what was
// erased. Empty on success; otherwise why not, in the user's language.
QString writeReport(const RunRecord& record, const QString& fileName, ReportFormat format);

}  // namespace fendry
