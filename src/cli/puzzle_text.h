// A composed puzzle for the terminal: laid out as on paper (the quotient
// over the dividend's last digit, the divisor left of the dividend), and
// as JSON.
#pragma once

#include <string>
#include <vector>

#include "compose/draft.h"

namespace varnokit::cli {

// UTF-8 lines, no line ends.
std::vector<std::string> puzzleLines(const compose::Draft& draft);

// {"divisor": …, "quotient": …, "body": […], "condition": …, "notes": […]}: the
// boxes of the problem file, UTF-8.
std::string puzzleJson(const compose::Draft& draft);

// {"divisor": …, "quotient": …, "dividend": …, "remainder": …}: decimal strings.
std::string divisionJson(const compose::Division& division);

}  // namespace varnokit::cli
