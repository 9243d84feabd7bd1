// Floor entry, stepping and lookup: the handlers of 编辑框1 and 按钮1 to 按钮3.
#pragma once

// The floor value: the text of 编辑框1 read as a number, afresh on every call.
double ReadFloorValue();

// Shows in 透明标签2 the formation of the floor that 编辑框1 selects; leaves it when none.
void ShowFormationFor();

// Keeps 编辑框1 within the floor range: above 90 becomes "90", a lone "0" becomes "1".
void OnFloorTextChanged();
void OnLookupClicked();
void OnPreviousFloorClicked();
void OnNextFloorClicked();
