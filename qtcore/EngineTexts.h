#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "ShredMethod.h"
#include "ShredPass.h"
#include "StorageProbe.h"

// The engine words its texts in English; these are the same texts in the user's language. With
// no translation loaded each equals the engine's own.
namespace engine_texts {

// Why an item was not erased: the step that failed and the system's reason, in the user's
// language.
QString failureText(const fendry::PassFailure& failure);

// A reason given by fendry::refusalOf().
QString refusalText(const std::string& reason);

// What fendry::formatBytes() makes of `bytes`, with the locale's decimal sign.
QString bytesText(std::int64_t bytes);

// One sentence that says what overwriting, or wiping the free space, cannot reach on the storage
// the cautions name; empty when there are none. Repeated cautions are named once.
QString cautionSentence(std::vector<fendry::StorageCaution> cautions,
                        fendry::CautionFor subject = fendry::CautionFor::Overwriting);

QString methodName(const fendry::ShredMethod& method);
QString methodDescription(const fendry::ShredMethod& method);

}  // namespace engine_texts
