// A list of framework objects that the list owns: each member was allocated on its own, and the list
// deletes it.
#pragma once

#include "runtime/VolMem.h"
#include "runtime/VolObject.h"

#include <cstdint>

class CVolObjectArray : public CVolObject {
 public:
  // Granule of the pointer array (8 bytes a member).
  static constexpr int64_t kGrowStep = 256;

  CVolObjectArray() = default;
  // Flags, tag and a clone of every member.
  CVolObjectArray(const CVolObjectArray& other);
  CVolObjectArray& operator=(const CVolObjectArray& other);
  // Deletes every member.
  ~CVolObjectArray() override;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark and tag, equal counts and IsEqual for every pair of members in order.
  bool IsEqual(const CVolObject& other) const override;
  CVolObjectArray* CreateNew() const override;
  CVolObjectArray* Clone() const override;
  // Flags and tag; unless the source is this list, the members are replaced by clones of the source's.
  bool AssignFrom(const CVolObject& source) override;
  // Flags and tag 0, every member deleted.
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // The listing header, then for each listed member its number, class name, address, null mark and
  // its own debug text (with the same maxItems).
  void GetDebugText(CWString& out, int32_t maxItems) const override;
  // LoadFrom and SaveTo stay those of CVolObject: members are neither written nor read.

  int64_t GetCount() const { return items_.GetLength() / static_cast<int64_t>(sizeof(CVolObject*)); }
  // The member at index; null outside the list.
  CVolObject* GetAt(int64_t index) const;
  // Takes ownership of member, which must have been allocated on its own (new, CreateNew, Clone).
  // A null member is refused (false, nothing changes).
  bool Add(CVolObject* member);
  // Deletes every member in order, then releases the pointer array.
  void Clear();

 private:
  CVolObject** Items() const { return reinterpret_cast<CVolObject**>(items_.GetData()); }
  // Clones of every member of source, in a pointer array of the list's granule.
  static CVolMem CloneMembers(const CVolObjectArray& source);

  CVolMem items_{kGrowStep};
};
