#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "ShredMethod.h"
#include "ShredPass.h"

// The engine words its texts in English; these are the same texts in the user's language. With
// no translation loaded each equals the engine's own.
namespace engine_texts {

// What fendry::describe() says of `failure`, with the system's reason in the user's locale.
QString failureText(const fendry::PassFailure& failure);

// A reason given by fendry::refusalOf().
QString refusalText(const std::string& reason);

// What fendry::formatBytes() makes of `bytes`, with the locale's decimal sign.
QString bytesText(std::int64_t bytes);

QString methodName(const fendry::ShredMethod& method);
QString methodDescription(const fendry::ShredMethod& method);

}  // namespace engine_texts
