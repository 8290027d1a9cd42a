// The list of keys in the main form's combo box.
#pragma once

class CVolComboBox;

// Inserts the 75 catalogue items at their positions, each with item data 0; the list is not cleared
// first. Nothing happens while the combo box has no window.
void FillKeyList(CVolComboBox& combo);
