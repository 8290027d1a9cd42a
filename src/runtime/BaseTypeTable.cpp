#include "runtime/BaseTypeTable.h"

#include "runtime/VolBoxed.h"

const BaseTypeRows& BaseTypeTable() {
  static const BaseTypeRows rows = {
      &CVolBoxedInt8::ClassInfo(),  &CVolBoxedInt16::ClassInfo(),    &CVolBoxedChar::ClassInfo(),
      &CVolBoxedInt32::ClassInfo(), &CVolBoxedInt64::ClassInfo(),    &CVolBoxedInt64Alt::ClassInfo(),
      &CVolBoxedDouble::ClassInfo(), &CVolBoxedInt32Alt::ClassInfo(),
  };
  return rows;
}
