// Built on the component core: the layers below it are all within reach.
#include "framework/base/types.h"
#include "framework/core/classes.h"
#include "framework/graphics/canvas.h"
#include "framework/platform/platform.h"

int LayerProbeDown() { return 0; }
