// Reading a whole small file into memory, for files the user opens: bounded in size and
// never blocking on something that is not a plain file (a named pipe would wait forever
// for a writer).
#pragma once

#include <cstddef>
#include <string>

// The bytes of fileName. EFOpenError "Cannot open file "%s". %s" (the absolute name, the
// system's reason) when it cannot be opened or read, is not a regular file, or holds more
// than maxBytes bytes; in the last case nothing of it is read.
std::string ReadFileBytes(const std::string& fileName, std::size_t maxBytes);
