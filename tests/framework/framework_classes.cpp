// Every framework test may read a stored description that names any class of the
// framework; register them all before the first test, as a program does before it reads
// its window.
#include "framework/stdctrls/stdctrls_classes.h"

namespace {
const bool registered = (RegisterStdCtrlsClasses(), true);
}  // namespace
