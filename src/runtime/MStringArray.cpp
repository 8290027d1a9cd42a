#include "runtime/MStringArray.h"

#include "runtime/ContainerListing.h"
#include "runtime/QuoteText.h"
#include "runtime/VolStream.h"
#include "runtime/WConstString.h"
#include "runtime/WString.h"

#include <climits>
#include <cstring>
#include <cwchar>

CMStringArray::CMStringArray(const CMStringArray& other) : CVolCommonBaseWithMemManager(other) { CopyFrom(other); }

CMStringArray& CMStringArray::operator=(const CMStringArray& other) {
  CopyFrom(other);
  return *this;
}

CMStringArray::~CMStringArray() { Clear(); }

const CVolClassTag& CMStringArray::ClassInfo() {
  static const CVolClassTag tag = MakeClassTag("CMStringArray");
  return tag;
}

const CVolClassTag& CMStringArray::GetClassInfo() const { return ClassInfo(); }

bool CMStringArray::IsKindOf(const CVolClassTag& tag) const { return SameClass(tag, ClassInfo()); }

const wchar_t* CMStringArray::GetAt(int64_t index) const {
  if (index < 0 || index >= GetCount()) return EmptyText;
  const wchar_t* text = Items()[index];
  return text != nullptr ? text : EmptyText;
}

void CMStringArray::AddCounted(const wchar_t* text, int64_t units) {
  wchar_t* block = nullptr;
  if (units > 0) {
    block = static_cast<wchar_t*>(MemAlloc((units + 1) * static_cast<int64_t>(sizeof(wchar_t))));
    std::memcpy(block, text, static_cast<size_t>(units) * sizeof(wchar_t));
    block[units] = 0;
  }
  items_.AppendBytes(&block, sizeof block);
}

void CMStringArray::Add(const wchar_t* text) {
  AddCounted(text, text == nullptr ? 0 : static_cast<int64_t>(std::wcslen(text)));
}

void CMStringArray::Clear() {
  const int64_t count = GetCount();
  for (int64_t i = 0; i < count; ++i) MemFree(Items()[i]);
  items_.Clear();
}

void CMStringArray::CopyFrom(const CMStringArray& source) {
  // Clearing first would release the very texts that are to be copied.
  if (&source == this) return;
  Clear();
  const int64_t count = source.GetCount();
  for (int64_t i = 0; i < count; ++i) Add(source.Items()[i]);
}

bool CMStringArray::TextsEqual(const CMStringArray& other) const {
  const int64_t count = GetCount();
  if (count != other.GetCount()) return false;
  for (int64_t i = 0; i < count; ++i) {
    if (std::wcscmp(GetAt(i), other.GetAt(i)) != 0) return false;
  }
  return true;
}

void CMStringArray::AppendDebugText(CWString& out, int32_t maxItems) const {
  const int64_t listed = AppendListingHeader(out, GetCount(), maxItems);
  for (int64_t i = 0; i < listed; ++i) {
    out.AppendFormat(L"\r\n%d. %s", static_cast<int32_t>(i + 1), QuoteText(GetAt(i)).GetText());
  }
}

void CMStringArray::SaveTo(IVolStream* stream) const {
  if (!StreamIsHealthy(stream)) return;
  const int64_t count = GetCount();
  if (count > INT32_MAX) {
    // The count cannot be described in 32 bits: a failed write, not a wrong count.
    stream->status = IVolStream::kWriteFailed;
    return;
  }
  if (!StreamWriteInt32(stream, static_cast<int32_t>(count))) return;
  for (int64_t i = 0; i < count && StreamIsHealthy(stream); ++i) CWConstString(GetAt(i)).SaveTo(stream);
}

void CMStringArray::LoadFrom(IVolStream* stream) {
  if (!StreamIsHealthy(stream)) return;
  Clear();
  int32_t count = 0;
  if (!StreamReadInt32(stream, &count)) return;
  if (count < 0) {
    stream->status = IVolStream::kReadFailed;
    return;
  }
  // Entries are added as they arrive, never reserved for the announced count: a corrupt count costs
  // no more than what the stream really delivers before it runs dry.
  CWString text;
  for (int32_t i = 0; i < count; ++i) {
    text.LoadFrom(stream);
    if (!StreamIsHealthy(stream)) return;
    AddCounted(text.GetText(), text.GetLength());
  }
}
