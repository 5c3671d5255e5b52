// What the user is told when a pronunciation was not registered.
#pragma once

#include <string>
#include <string_view>

#include "rows/dictionary_rewrite.h"

namespace rows {

// The text, in Japanese (UTF-8), for `outcome`, which did not succeed: the
// refused file (`fullPath`: its full path), the system's own text for its
// answer (`systemReason`), and what the user can do about it. A row no longer
// in the dictionary as shown asks for a new lookup instead.
std::string RegistrationFailureText(const RegisterOutcome& outcome, std::string_view fullPath,
                                    std::string_view systemReason);

}  // namespace rows
