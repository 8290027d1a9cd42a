#include "mainwindow/KeyList.h"

#include "bridge/KeyCatalogue.h"
#include "winframework/ComboBox.h"

void FillKeyList(CVolComboBox& combo) {
  const KeyCatalogueItem* items = KeyCatalogue();
  for (int position = 0; position < kKeyCatalogueCount; ++position) combo.InsertItem(position, items[position].text);
}
