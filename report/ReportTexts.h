#pragma once

#include <QCoreApplication>
#include <QString>
#include <chrono>

#include "RunRecord.h"

// The words of a report, in the user's language.
struct ReportTexts {
    Q_DECLARE_TR_FUNCTIONS(Report)

public:
    // The mark at the top: "Erased", "Erased with issues" or "Stopped".
    static QString outcome(fendry::RunRecord::Outcome outcome);
    static QString kind(fendry::ItemRecord::Kind kind);
    // What became of the item, with why it was left where it was, in the summary's words.
    static QString result(const fendry::ItemRecord& item, const fendry::RunRecord& record);
    // Why the item was left, if a line says so; empty otherwise.
    static QString reason(const fendry::ItemRecord& item, const fendry::RunRecord& record);
};

namespace fendry {

// A point in time as local time with its offset from UTC: "2026-12-07T10:15:03+01:00", or
// for people, with a space for the "T".
QString isoTime(std::chrono::system_clock::time_point time, bool forPeople = false);

// A path or name as text: control characters, bytes that are not UTF-8 and marks that reorder
// text as escapes ("\x9d", "\u202e"), a backslash as "\\", as fendry-cli prints names.
QString shownPath(const std::filesystem::path& path);

}  // namespace fendry
