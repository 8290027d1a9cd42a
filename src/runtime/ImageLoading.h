// Images loaded from resources, files and memory, as bitmap, cursor, icon or image-list handles.
#pragma once

#include <windows.h>

class GdiplusSession;

// What an image operation returns.
enum ImageKind : int {
  kImageBitmap = 0,     // a DIB section (decoded with GDI+)
  kImageCursor = 1,     // a cursor handle
  kImageIcon = 2,       // an icon handle
  kImageImageList = 3,  // an image list cut from a decoded strip
};

// Decodes bytes (any format GDI+ reads) into a DIB section. Null when count is 0 or less or the
// bytes cannot be decoded. Starts GDI+ through gdiplus if needed.
HBITMAP LoadBitmapFromMemory(GdiplusSession& gdiplus, const void* bytes, INT_PTR count);

// Loads an image of the given kind from a file. Cursor and icon files are read by the system and
// never start GDI+; bitmaps and image lists are decoded with GDI+. Null for a null or empty path,
// an unknown kind, or any failure. The caller owns the handle.
HANDLE LoadImageFromFile(GdiplusSession& gdiplus, int kind, const wchar_t* path);

// Loads an image of the given kind from the resources of module: cursors and icons from cursor
// and icon resources, bitmaps and image lists decoded from the raw-data (RT_RCDATA) resource with
// that id. Ids count modulo 65536, as resource ids do. Null for id 0, an unknown kind, or any
// failure. The caller owns bitmaps and image lists.
HANDLE LoadImageFromResource(GdiplusSession& gdiplus, HMODULE module, int kind, int id);
