// The catalogue of keys the main form's combo box offers, in the order the items are inserted.
#pragma once

#include <cstdint>

struct KeyCatalogueItem {
  const wchar_t* text;
  std::int32_t code;  // what KeyNameToCode gives for text
};

inline constexpr int kKeyCatalogueCount = 75;

// kKeyCatalogueCount items, position 0 first; "无" (no key, code 0) is the last one.
const KeyCatalogueItem* KeyCatalogue();
