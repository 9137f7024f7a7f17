// Every class of the control set that a stored description may name, registered in one call.
#pragma once

// Safe to call more than once; the editor window calls it before reading its description.
void RegisterControlSetClasses();
