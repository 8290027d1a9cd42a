#include "runtime/ImageLoading.h"

#include "runtime/DibConversion.h"
#include "runtime/GdiplusApi.h"
#include "runtime/GdiplusSession.h"
#include "runtime/ImageList.h"

#include <cstring>

namespace {

struct GlobalBlockDeleter {
  void operator()(void* block) const { GlobalFree(block); }
};
using GlobalBlockPtr = std::unique_ptr<void, GlobalBlockDeleter>;

struct StreamDeleter {
  void operator()(IStream* stream) const { stream->Release(); }
};
using StreamPtr = std::unique_ptr<IStream, StreamDeleter>;

// Kind 3 turns the decoded bitmap into an image list; the bitmap itself is not kept.
HANDLE FinishDecodedImage(int kind, HBITMAP bitmap) {
  if (bitmap == nullptr || kind == kImageBitmap) return bitmap;
  HIMAGELIST list = CreateImageListFromStrip(bitmap);
  DeleteObject(bitmap);
  return list;
}

bool IsDecodedKind(int kind) { return kind == kImageBitmap || kind == kImageImageList; }

}  // namespace

HBITMAP LoadBitmapFromMemory(GdiplusSession& gdiplus, const void* bytes, INT_PTR count) {
  if (bytes == nullptr || count <= 0) return nullptr;
  GlobalBlockPtr block(GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(count)));
  if (!block) return nullptr;
  void* copy = GlobalLock(block.get());
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, bytes, static_cast<size_t>(count));
  GlobalUnlock(block.get());

  IStream* rawStream = nullptr;
  // The stream does not free the block on release: the block has an owner of its own.
  if (FAILED(CreateStreamOnHGlobal(block.get(), FALSE, &rawStream)) || rawStream == nullptr) return nullptr;
  StreamPtr stream(rawStream);

  if (!gdiplus.EnsureStarted()) return nullptr;
  Gdiplus::GpBitmap* rawBitmap = nullptr;
  if (gdip::GdipCreateBitmapFromStream(stream.get(), &rawBitmap) != Gdiplus::Ok) return nullptr;
  GdiplusBitmapPtr decoded(rawBitmap);  // released before the stream it may still read from
  return ConvertGdiplusBitmapToDib(decoded.get());
}

HANDLE LoadImageFromFile(GdiplusSession& gdiplus, int kind, const wchar_t* path) {
  if (path == nullptr || path[0] == L'\0') return nullptr;
  switch (kind) {
    case kImageCursor:
      return LoadImageW(nullptr, path, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
    case kImageIcon:
      return LoadImageW(nullptr, path, IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    default:
      break;
  }
  if (!IsDecodedKind(kind) || !gdiplus.EnsureStarted()) return nullptr;
  Gdiplus::GpBitmap* rawBitmap = nullptr;
  if (gdip::GdipCreateBitmapFromFile(path, &rawBitmap) != Gdiplus::Ok) return nullptr;
  GdiplusBitmapPtr decoded(rawBitmap);
  return FinishDecodedImage(kind, ConvertGdiplusBitmapToDib(decoded.get()));
}

HANDLE LoadImageFromResource(GdiplusSession& gdiplus, HMODULE module, int kind, int id) {
  if (id == 0) return nullptr;
  switch (kind) {
    case kImageCursor:
      return LoadCursorW(module, MAKEINTRESOURCEW(id));
    case kImageIcon:
      return LoadIconW(module, MAKEINTRESOURCEW(id));
    default:
      break;
  }
  if (!IsDecodedKind(kind)) return nullptr;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (found == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return nullptr;
  HBITMAP bitmap = LoadBitmapFromMemory(gdiplus, bytes, static_cast<INT_PTR>(SizeofResource(module, found)));
  FreeResource(loaded);
  return FinishDecodedImage(kind, bitmap);
}
