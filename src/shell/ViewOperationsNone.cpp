// Without the polynomial library the view's operation commands have no
// handler and stay greyed.

#include "ViewOperations.h"

namespace ViewOperations {
bool handles(int) { return false; }
void run(CFFView&, int) {}
}  // namespace ViewOperations
