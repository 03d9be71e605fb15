#pragma once
// Little-endian field access for the codecs that parse and build files byte by byte.
//
// Readers take a pointer the caller has already checked to hold enough bytes; every codec checks
// its bounds once per structure rather than once per field.

#include <cstdint>
#include <cstring>

#include "model/FileIO.h"

inline uint16_t GetLE16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}
inline uint32_t GetLE32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline int32_t GetLE32Signed(const uint8_t* p) {
  return int32_t(GetLE32(p));
}

inline void PutLE16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void PutLE32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

inline void AppendLE16(TBytes& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
inline void AppendLE32(TBytes& out, uint32_t v) {
  AppendLE16(out, v & 0xFFFF);
  AppendLE16(out, v >> 16);
}

// Bytes in one row of a device-independent bitmap: whole 32-bit words.
constexpr int64_t DibStride(int64_t width, int bits) {
  return ((width * bits + 31) / 32) * 4;
}

// Padding bytes at the end of such a row.
constexpr int64_t DibPadding(int64_t width, int bits) {
  return DibStride(width, bits) - (width * bits + 7) / 8;
}
