// Run-time class identity: one immutable record per class, recognised by address or, across records,
// by the hash, length and bytes of the class-name string.
#pragma once

// The platform headers define GetClassInfo as a macro for a window-class function; the object
// operation of that name must keep its own name wherever this header is seen. The platform headers
// are included once here, so a later inclusion cannot bring the macro back.
#include <windows.h>
#undef GetClassInfo

#include <cstddef>
#include <cstdint>

class CVolObject;

using VolObjectFactory = CVolObject* (*)();

// The record of a framework object class.
struct CVolClassInfo {
  VolObjectFactory factory;  // a new default instance of the class
  const char* name;          // "CVolObject", "rg_n1::rg_n3268", ...
  uint64_t length;           // characters of name
  uint32_t hash;             // ClassNameHash of name
};

// The reduced record of the counted helpers and the string list: no factory.
struct CVolClassTag {
  const char* name;
  uint64_t length;
  uint32_t hash;
};

// h = 5 * h + c over the characters taken as signed bytes (64-bit, wrapping), then (h | 1) with bit 31
// cleared: always odd, never 0.
uint32_t ClassNameHash(const char* name, size_t length);
uint32_t ClassNameHash(const char* name);

// Same record, or equal hash, length and first length name bytes. Hash and length reject most
// different classes before any name byte is compared.
bool SameClass(const CVolClassInfo& a, const CVolClassInfo& b);
bool SameClass(const CVolClassTag& a, const CVolClassTag& b);

CVolClassInfo MakeClassInfo(VolObjectFactory factory, const char* name);
CVolClassTag MakeClassTag(const char* name);
