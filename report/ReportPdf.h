#pragma once

#include <QByteArray>

#include "RunRecord.h"

namespace fendry {

// The record as a PDF for people to read and file: a mark at the top in the colour of the
// outcome, then who ran it, where, when and how, each item with its result, the file systems,
// the totals and every line of the summary, on as many pages as that takes, each numbered.
// Names are set as plain text. Needs a QGuiApplication, for fonts; empty without one.
QByteArray reportPdf(const RunRecord& record);

}  // namespace fendry
