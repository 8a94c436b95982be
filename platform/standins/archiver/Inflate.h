#pragma once

#include <stddef.h>

#include <vector>

// Decompresses a raw deflate stream (no zlib or gzip wrapper) and appends the bytes to out;
// false on a damaged or truncated stream.
bool InflateRaw(const unsigned char* pData, size_t cbData, std::vector<unsigned char>& out);
