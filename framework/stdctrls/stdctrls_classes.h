// The class tables of the standard controls (label, panel, picture, image, edits, memo,
// image list), registered in one call together with those of every layer below, so that a
// stored description may name any class of the framework.
//
// Registration is always this explicit call: a program (or a test) registers what its
// descriptions name before it reads one; constructing a component registers nothing.
// Calling it again does nothing.
#pragma once

void RegisterStdCtrlsClasses();
