#include "runtime/ClassInfo.h"

#include <cstring>

uint32_t ClassNameHash(const char* name, size_t length) {
  uint64_t h = 0;
  for (size_t i = 0; i < length; ++i) {
    const int64_t c = static_cast<signed char>(name[i]);
    h = 5 * h + static_cast<uint64_t>(c);
  }
  return static_cast<uint32_t>((h | 1) & 0x7FFFFFFF);
}

uint32_t ClassNameHash(const char* name) {
  return ClassNameHash(name, std::strlen(name));
}

namespace {

template <typename Record>
bool SameRecord(const Record& a, const Record& b) {
  if (&a == &b) return true;
  return a.hash == b.hash && a.length == b.length && std::strncmp(a.name, b.name, a.length) == 0;
}

}  // namespace

bool SameClass(const CVolClassInfo& a, const CVolClassInfo& b) { return SameRecord(a, b); }
bool SameClass(const CVolClassTag& a, const CVolClassTag& b) { return SameRecord(a, b); }

CVolClassInfo MakeClassInfo(VolObjectFactory factory, const char* name) {
  const size_t length = std::strlen(name);
  return CVolClassInfo{factory, name, length, ClassNameHash(name, length)};
}

CVolClassTag MakeClassTag(const char* name) {
  const size_t length = std::strlen(name);
  return CVolClassTag{name, length, ClassNameHash(name, length)};
}
