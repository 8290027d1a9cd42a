#include "runtime/VolObjectArray.h"

#include "runtime/ContainerListing.h"
#include "runtime/WString.h"

#include <cstdint>
#include <utility>

namespace {

CVolObject* CreateObjectArray() { return new CVolObjectArray(); }

}  // namespace

CVolObjectArray::CVolObjectArray(const CVolObjectArray& other) : CVolObject(other), items_(CloneMembers(other)) {}

CVolObjectArray& CVolObjectArray::operator=(const CVolObjectArray& other) {
  CopyHeaderFrom(other);
  if (&other == this) return *this;
  // The clones are made before the old members go: the source may itself be one of them (or live
  // inside one).
  CVolMem clones = CloneMembers(other);
  Clear();
  items_ = std::move(clones);
  return *this;
}

CVolObjectArray::~CVolObjectArray() { Clear(); }

const CVolClassInfo& CVolObjectArray::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateObjectArray, "CVolObjectArray");
  return info;
}

const CVolClassInfo& CVolObjectArray::GetClassInfo() const { return ClassInfo(); }

CVolMem CVolObjectArray::CloneMembers(const CVolObjectArray& source) {
  CVolMem clones(kGrowStep);
  const int64_t count = source.GetCount();
  for (int64_t i = 0; i < count; ++i) {
    CVolObject* clone = source.Items()[i]->Clone();
    clones.AppendBytes(&clone, sizeof clone);
  }
  return clones;
}

bool CVolObjectArray::IsEqual(const CVolObject& other) const {
  if (!HeaderEquals(other)) return false;
  const CVolObjectArray& o = static_cast<const CVolObjectArray&>(other);
  const int64_t count = GetCount();
  if (count != o.GetCount()) return false;
  for (int64_t i = 0; i < count; ++i) {
    if (!Items()[i]->IsEqual(*o.Items()[i])) return false;
  }
  return true;
}

CVolObjectArray* CVolObjectArray::CreateNew() const { return new CVolObjectArray(); }

CVolObjectArray* CVolObjectArray::Clone() const { return new CVolObjectArray(*this); }

bool CVolObjectArray::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  *this = static_cast<const CVolObjectArray&>(source);
  return true;
}

void CVolObjectArray::Reset() {
  OnBeforeChange();
  ClearHeader();
  Clear();
}

bool CVolObjectArray::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

void CVolObjectArray::GetDebugText(CWString& out, int32_t maxItems) const {
  const int64_t listed = AppendListingHeader(out, GetCount(), maxItems);
  for (int64_t i = 0; i < listed; ++i) {
    const CVolObject* member = Items()[i];
    CWString className;
    className.FromUtf8(member->GetClassInfo().name);
    out.AppendFormat(L"\r\n%d. 对象输出类名: \"%s\", 地址: 0x%I64X", static_cast<int32_t>(i + 1), className.GetText(),
                     static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(member)));
    if (member->IsNullObject()) out.Append(L", 为空对象");
    out.Append(L", 内容:\r\n");
    CWString content;
    member->GetDebugText(content, maxItems);
    out.Append(content.GetText());
  }
}

CVolObject* CVolObjectArray::GetAt(int64_t index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return Items()[index];
}

bool CVolObjectArray::Add(CVolObject* member) {
  if (member == nullptr) return false;
  items_.AppendBytes(&member, sizeof member);
  return true;
}

void CVolObjectArray::Clear() {
  const int64_t count = GetCount();
  for (int64_t i = 0; i < count; ++i) CVolObject::Delete(Items()[i]);
  items_.Clear();
}
