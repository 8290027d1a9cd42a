// The root of every framework value and window object: a null-object mark, an opaque tag, and the
// fixed set of polymorphic operations (create, clone, assign, reset, compare, destroy, describe,
// load, save) with run-time class identity by name.
#pragma once

#include "runtime/ClassInfo.h"
#include "runtime/VolCommonBase.h"

#include <cstdint>

class CWString;
class IVolStream;

class CVolObject : public CVolCommonBaseWithMemManager {
 public:
  // Bit 0 of the flags: the instance stands for no object at all (an omitted optional argument, an
  // empty reference). The other bits belong to subclasses.
  static constexpr uint64_t kNullObject = 1;

  CVolObject() = default;
  CVolObject(const CVolObject&) = default;
  CVolObject& operator=(const CVolObject&) = default;

  // The class's record, without an instance (the same record GetClassInfo answers).
  static const CVolClassInfo& ClassInfo();

  // 6.
  virtual const CVolClassInfo& GetClassInfo() const;
  // 7. Same class, equal null mark and tag (and, in subclasses, equal class fields).
  virtual bool IsEqual(const CVolObject& other) const;
  // 8. A new default instance of the same class, from the pool (made by the class record's
  // factory, so subclasses need not repeat it).
  virtual CVolObject* CreateNew() const;
  // 9. A new instance with the same flags, tag and values (CreateNew, then AssignFrom, unless the
  // class copies more directly).
  virtual CVolObject* Clone() const;
  // 10. Only from an object of this object's class or a subclass (tested with GetClassInfo, so a
  // subclass that keeps this operation still refuses its base): OnBeforeChange, then everything is
  // copied. Answers false and changes nothing otherwise.
  virtual bool AssignFrom(const CVolObject& source);
  // 11. OnBeforeChange, then flags, tag and all class fields back to their defaults.
  virtual void Reset();
  // 12. Runs the destructor chain; bit 0 of flags then returns the storage (OperatorFree).
  virtual ~CVolObject() = default;
  virtual void Destroy(uint64_t flags);
  // 13. Destroy with flags 1; nothing for null.
  static void Delete(CVolObject* object);
  // 14. This class or any of its bases up to CVolObject.
  virtual bool IsKindOf(const CVolClassInfo& info) const;
  // 15. Writes a diagnostic description into out; maxItems limits what containers list.
  virtual void GetDebugText(CWString& out, int32_t maxItems) const;
  // 16, 17. Nothing is read or written by CVolObject itself.
  virtual void LoadFrom(IVolStream* stream);
  virtual void SaveTo(IVolStream* stream) const;
  // 18. Called by AssignFrom and Reset before they overwrite the object.
  virtual void OnBeforeChange();

  uint64_t GetFlags() const { return flags_; }
  void SetFlags(uint64_t flags) { flags_ = flags; }
  uint64_t GetTag() const { return tag_; }
  void SetTag(uint64_t tag) { tag_ = tag; }
  bool IsNullObject() const { return (flags_ & kNullObject) != 0; }
  void SetNullObject(bool isNull) { flags_ = isNull ? (flags_ | kNullObject) : (flags_ & ~kNullObject); }

 protected:
  // What every IsEqual starts with: same class, equal null mark and tag.
  bool HeaderEquals(const CVolObject& other) const;
  void CopyHeaderFrom(const CVolObject& source) {
    flags_ = source.flags_;
    tag_ = source.tag_;
  }
  void ClearHeader() {
    flags_ = 0;
    tag_ = 0;
  }

 private:
  uint64_t flags_ = 0;
  uint64_t tag_ = 0;
};
