// Every control-set test may read a stored description that names any class of the set, as
// the editor window does; register them all before the first test, as the program does
// before it reads its window.
#include "controls/vt_classes.h"

namespace {
const bool registered = (RegisterControlSetClasses(), true);
}  // namespace
