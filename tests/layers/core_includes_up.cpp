// Built on the component core, reaching up to the forms: this must not compile.
#include "framework/ui/forms.h"

int LayerProbeUp() { return 0; }
