#pragma once
#include <string>

class QComboBox;

namespace drav {

class TDBUtils;

// Fills a combo box from a select: the first column's text (trimmed, except in the combo named
// "cmbCBO", whose codes keep their blanks) and, when the select has two or more columns, the
// second column's integer as the item's data. The items are sorted once. A combo left with exactly
// one item has it selected; otherwise nothing is selected.
//
// The extra first items depend on the rows the select returned, never on each other: the blank
// one needs at least one row, "Todos" at least two, and with both flags "Todos" comes first and
// the blank second. (So a single row with both flags gets only the blank, and stays unselected:
// choosing nothing must remain possible.)
// Database failures propagate.
void PreencherCombo(TDBUtils& sessao, QComboBox* combo, const std::string& sql, bool brancoPrimeiro = false,
                    bool todosPrimeiro = false);

// The same without extra items, each text zero-filled on the left to the width.
void PreencherComboZeros(TDBUtils& sessao, QComboBox* combo, const std::string& sql, int largura);

} // namespace drav
