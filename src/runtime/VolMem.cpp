#include "runtime/VolMem.h"

#include "runtime/Md5.h"
#include "runtime/VolStream.h"
#include "runtime/WString.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>

namespace {

CVolObject* CreateVolMem() { return new CVolMem(); }

// a + b for sizes; a sum beyond the 64-bit range is a request no memory can serve.
int64_t SizeSum(int64_t a, int64_t b) {
  if (b > 0 && a > INT64_MAX - b) std::exit(-1);
  return a + b;
}

// g * (n / g + 1): always strictly more than n.
int64_t GranuleCapacity(int64_t n, int64_t g) {
  const int64_t granules = n / g + 1;
  if (granules > INT64_MAX / g) std::exit(-1);
  return granules * g;
}

void CopyOrZero(unsigned char* destination, const void* source, int64_t count) {
  if (count <= 0) return;
  if (source == nullptr) {
    std::memset(destination, 0, static_cast<size_t>(count));
  } else {
    std::memmove(destination, source, static_cast<size_t>(count));
  }
}

// Buffers loaded from a stream grow in steps that double up to the announced count, so that a
// corrupt count costs no more memory than the bytes the stream really delivers.
constexpr int64_t kFirstLoadStep = 64 * 1024;

}  // namespace

CVolMem::CVolMem(const CVolMem& other) : CVolObject(other), growStep_(other.growStep_) {
  if (other.length_ > 0) {
    SetSize(other.length_);
    std::memcpy(data_, other.data_, static_cast<size_t>(other.length_));
  }
}

CVolMem::CVolMem(CVolMem&& other) noexcept
    : CVolObject(other),
      data_(other.data_),
      capacity_(other.capacity_),
      length_(other.length_),
      growStep_(other.growStep_) {
  other.data_ = nullptr;
  other.capacity_ = 0;
  other.length_ = 0;
}

CVolMem& CVolMem::operator=(const CVolMem& other) {
  CopyFrom(other);
  return *this;
}

CVolMem& CVolMem::operator=(CVolMem&& other) noexcept {
  if (&other == this) return *this;
  CopyHeaderFrom(other);
  MemFree(data_);
  data_ = other.data_;
  capacity_ = other.capacity_;
  length_ = other.length_;
  other.data_ = nullptr;
  other.capacity_ = 0;
  other.length_ = 0;
  return *this;
}

CVolMem::~CVolMem() { MemFree(data_); }

const CVolClassInfo& CVolMem::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateVolMem, "CVolMem");
  return info;
}

const CVolClassInfo& CVolMem::GetClassInfo() const { return ClassInfo(); }

bool CVolMem::IsEqual(const CVolObject& other) const {
  if (!HeaderEquals(other)) return false;
  const CVolMem& o = static_cast<const CVolMem&>(other);
  return length_ == o.length_ && (length_ == 0 || std::memcmp(data_, o.data_, static_cast<size_t>(length_)) == 0);
}

CVolMem* CVolMem::CreateNew() const { return new CVolMem(); }

CVolMem* CVolMem::Clone() const {
  CVolMem* copy = new CVolMem();
  copy->CopyFrom(*this);
  return copy;
}

bool CVolMem::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  CopyFrom(static_cast<const CVolMem&>(source));
  return true;
}

void CVolMem::Reset() {
  OnBeforeChange();
  ClearHeader();
  length_ = 0;
}

bool CVolMem::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

unsigned char* CVolMem::SetSize(int64_t n) {
  if (n < 0 || n == length_) return data_;
  if (n == 0) {
    Clear();
    return nullptr;
  }
  const int64_t g = Granule();
  if (data_ == nullptr) {
    const int64_t capacity = GranuleCapacity(n, g);
    data_ = static_cast<unsigned char*>(MemAlloc(capacity));
    capacity_ = capacity;
  } else if (capacity_ < n || capacity_ - n > g) {
    const int64_t capacity = GranuleCapacity(n, g);
    data_ = static_cast<unsigned char*>(MemRealloc(data_, capacity));
    capacity_ = capacity;
  }
  length_ = n;
  return data_;
}

void CVolMem::SetLengthInPlace(int64_t n) {
  if (n >= 0 && n <= capacity_) length_ = n;
}

void CVolMem::AppendBytes(const void* source, int64_t count) {
  if (count <= 0) return;
  // A source inside this buffer is found again by its offset once the block may have moved; a
  // reallocation keeps every byte of the old block.
  const unsigned char* src = static_cast<const unsigned char*>(source);
  const bool inside = src != nullptr && data_ != nullptr && src >= data_ && src < data_ + capacity_;
  const int64_t offset = inside ? src - data_ : 0;
  const int64_t oldLength = length_;
  if (capacity_ - length_ < count) {
    SetSize(SizeSum(length_, count));
  } else {
    length_ += count;
  }
  CopyOrZero(data_ + oldLength, inside ? data_ + offset : src, count);
}

void CVolMem::AppendWideZ(const wchar_t* text) {
  if (text == nullptr || text[0] == 0) {
    AppendBytes(nullptr, sizeof(wchar_t));
    return;
  }
  AppendBytes(text, static_cast<int64_t>((std::wcslen(text) + 1) * sizeof(wchar_t)));
}

void CVolMem::AppendWide(const wchar_t* text) {
  if (text == nullptr || text[0] == 0) return;
  AppendBytes(text, static_cast<int64_t>(std::wcslen(text) * sizeof(wchar_t)));
}

void CVolMem::ReplaceRange(int64_t pos, int64_t del, const void* source, int64_t ins) {
  const int64_t length = length_;
  // Clip the replaced range to the buffer: a negative position starts it at 0 (shortened by as much),
  // and a range reaching past the end stops at the end.
  if (pos < 0) {
    if (del > 0) del += pos;
    pos = 0;
  }
  if (del > length - pos) del = length - pos;

  // The moves below would overwrite a source that lies in this buffer; take a copy of it first.
  const unsigned char* src = static_cast<const unsigned char*>(source);
  void* copy = nullptr;
  if (ins > 0 && src != nullptr && data_ != nullptr && src + ins > data_ && src < data_ + capacity_) {
    copy = MemAlloc(ins);
    std::memcpy(copy, src, static_cast<size_t>(ins));
    src = static_cast<const unsigned char*>(copy);
  }

  if (del <= 0) {
    if (ins > 0) {
      if (pos < length) {
        SetSize(SizeSum(length, ins));
        std::memmove(data_ + pos + ins, data_ + pos, static_cast<size_t>(length - pos));
        CopyOrZero(data_ + pos, src, ins);
      } else {
        AppendBytes(src, ins);
      }
    }
  } else if (ins <= 0) {
    RemoveRange(pos, del);
  } else if (del < ins) {
    SetSize(SizeSum(length, ins - del));
    std::memmove(data_ + pos + ins, data_ + pos + del, static_cast<size_t>(length - pos - del));
    CopyOrZero(data_ + pos, src, ins);
  } else if (del > ins) {
    std::memmove(data_ + pos + ins, data_ + pos + del, static_cast<size_t>(length - pos - del));
    SetSize(length + ins - del);
    CopyOrZero(data_ + pos, src, ins);
  } else {
    CopyOrZero(data_ + pos, src, ins);
  }
  MemFree(copy);
}

void CVolMem::RemoveRange(int64_t pos, int64_t n) {
  if (n <= 0) return;
  const int64_t length = length_;
  if (pos < 0) {
    SetSize(n >= length ? 0 : length - n);
    return;
  }
  if (pos >= length) return;
  if (n >= length - pos) {
    SetSize(pos);
    return;
  }
  std::memmove(data_ + pos, data_ + pos + n, static_cast<size_t>(length - pos - n));
  SetSize(length - n);
}

void CVolMem::CopyFrom(const CVolMem& other) {
  if (&other == this) return;
  CopyHeaderFrom(other);
  SetSize(other.length_);
  if (other.length_ > 0) std::memcpy(data_, other.data_, static_cast<size_t>(other.length_));
}

void CVolMem::Clear() {
  MemFree(data_);
  data_ = nullptr;
  capacity_ = 0;
  length_ = 0;
}

CWString CVolMem::Md5Hex() const {
  unsigned char digest[16];
  Md5Digest(data_, static_cast<size_t>(length_), digest);
  static const wchar_t kDigits[] = L"0123456789abcdef";
  wchar_t text[33];
  for (int i = 0; i < 16; ++i) {
    text[2 * i] = kDigits[digest[i] >> 4];
    text[2 * i + 1] = kDigits[digest[i] & 15];
  }
  text[32] = 0;
  return CWString(text);
}

void FormatHex32(uint32_t value, wchar_t* out) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  for (int i = 7; i >= 0; --i) {
    out[i] = kDigits[value & 15];
    value >>= 4;
  }
  out[8] = 0;
}

void CVolMem::GetDebugText(CWString& out, int32_t maxItems) const {
  const int64_t total = length_;
  int64_t listed = total;
  if (maxItems >= 0) {
    const int64_t limit = maxItems == 0 ? 1024 : maxItems;
    if (total > limit) listed = limit;
  }
  if (listed == total) {
    out.AppendFormat(L"<字节集> 总共 %d 个字节:", static_cast<int32_t>(total));
  } else {
    out.AppendFormat(L"<字节集> 总共 %d 个字节,输出了 %d 个,还有 %d 个未被输出.", static_cast<int32_t>(total),
                     static_cast<int32_t>(listed), static_cast<int32_t>(total - listed));
  }
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  for (int64_t offset = 0; offset < listed; offset += 16) {
    const int run = static_cast<int>(listed - offset < 16 ? listed - offset : 16);
    // "\r\n[" 8 digits "]:", 16 x " XX" (or padding), " | ", 16 text units, NUL.
    wchar_t line[3 + 8 + 2 + 48 + 3 + 16 + 1];
    wchar_t* p = line;
    *p++ = L'\r';
    *p++ = L'\n';
    *p++ = L'[';
    FormatHex32(static_cast<uint32_t>(offset), p);
    p += 8;
    *p++ = L']';
    *p++ = L':';
    wchar_t column[16];
    for (int i = 0; i < run; ++i) {
      const unsigned char byte = data_[offset + i];
      *p++ = L' ';
      *p++ = kDigits[byte >> 4];
      *p++ = kDigits[byte & 15];
      column[i] = std::isprint(byte) ? static_cast<wchar_t>(byte) : L'.';
    }
    for (int i = 0; i < 48 - 3 * run; ++i) *p++ = L' ';
    *p++ = L' ';
    *p++ = L'|';
    *p++ = L' ';
    for (int i = 0; i < run; ++i) *p++ = column[i];
    *p = 0;
    out.Append(line);
  }
}

void CVolMem::SaveTo(IVolStream* stream) const {
  if (!StreamIsHealthy(stream)) return;
  if (length_ > INT32_MAX) {
    stream->status = IVolStream::kWriteFailed;
    return;
  }
  if (!StreamWriteInt32(stream, static_cast<int32_t>(length_))) return;
  StreamWriteExact(stream, data_, length_);
}

void CVolMem::LoadFrom(IVolStream* stream) {
  int32_t count = 0;
  if (!StreamReadInt32(stream, &count)) return;
  if (count < 0) {
    stream->status = IVolStream::kReadFailed;
    return;
  }
  if (count == 0) {
    Clear();
    return;
  }
  // The bytes arrive in a separate buffer first: a stream that cannot deliver them all leaves this
  // buffer as it was.
  CVolMem incoming(growStep_);
  while (incoming.length_ < count) {
    const int64_t loaded = incoming.length_;
    int64_t step = loaded < kFirstLoadStep ? kFirstLoadStep : loaded;
    if (step > count - loaded) step = count - loaded;
    incoming.SetSize(loaded + step);
    if (!StreamReadExact(stream, incoming.data_ + loaded, step)) return;
  }
  const uint64_t flags = GetFlags();
  const uint64_t tag = GetTag();
  *this = std::move(incoming);
  SetFlags(flags);
  SetTag(tag);
}
