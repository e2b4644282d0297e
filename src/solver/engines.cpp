// Engine selection: the fast engine gives the reference search's solutions,
// in the same order, sooner.
#include "solver/engines.h"

namespace varnokit {

SearchFunction searchFunction(SearchEngine engine) {
    switch (engine) {
        case SearchEngine::Reference:
            return &searchReference;
        case SearchEngine::Fast:
            return &searchFast;
    }
    return &searchReference;
}

}  // namespace varnokit
