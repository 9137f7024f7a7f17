// Every class of the framework that a stored description may name, registered in one call.
#pragma once

// Safe to call more than once; TApplication::Initialize calls it.
void RegisterStandardClasses();
