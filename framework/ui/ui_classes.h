// The class tables of the user-interface layer (TControl, TGraphicControl, TWinControl,
// TCustomControl, TCustomForm, TForm, TOpenDialog, TSaveDialog, TTimer), registered in one
// call together with the core's, so that a stored description may name them.
//
// Registration is always this explicit call: a program (or a test) registers what its
// descriptions name before it reads one; constructing a component registers nothing.
// Calling it again does nothing.
#pragma once

void RegisterUiClasses();
