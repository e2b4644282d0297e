// The search engine a Solve runs, chosen by the options.
#pragma once

#include "solver/search.h"
#include "solver/solve.h"

namespace varnokit {

using SearchFunction = void (*)(SearchContext&);

// The function that runs the given engine's search.
SearchFunction searchFunction(SearchEngine engine);

}  // namespace varnokit
