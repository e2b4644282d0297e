// Engine selection. Both engines run the reference search until the fast
// engine has been shown to give the same solutions in the same order.
#include "solver/engines.h"

namespace varnokit {

SearchFunction searchFunction(SearchEngine engine) {
    switch (engine) {
        case SearchEngine::Reference:
            return &searchReference;
        case SearchEngine::Fast:
            return &searchReference;
    }
    return &searchReference;
}

}  // namespace varnokit
