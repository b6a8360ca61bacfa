#pragma once

#include <QByteArray>

#include "RunRecord.h"

namespace fendry {

// The record as a JSON object, indented: field names in lower camel case that stay as they are
// from one version to the next, codes in place of words wherever a program may decide on them
// ("result": "partlyErased"), the summary's words beside them ("reason"), times in ISO 8601
// with the local offset, sizes in bytes.
QByteArray reportJson(const RunRecord& record);

}  // namespace fendry
