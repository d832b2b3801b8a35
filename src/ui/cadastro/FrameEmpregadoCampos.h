#pragma once
// Field helpers of the worker's entry frame: dates, amounts and coded pick lists.
#include "core/Datas.h"

#include <string>

class QComboBox;
class QLineEdit;
class QWidget;

namespace drav::trabalhador {

// "dd/mm/yyyy" typed through a mask; an empty field is no date, a partial or impossible one is
// DataInvalida (so the checks can tell "not informed" from "unreadable").
QLineEdit* CampoData(QWidget* pai, const char* nome);
TDateTime LerData(const QLineEdit* campo);
void MostrarData(QLineEdit* campo, TDateTime data);

// An amount in reais typed the Brazilian way ("1.234,56").
QLineEdit* CampoValor(QWidget* pai, const char* nome);
double LerValor(const QLineEdit* campo);
void MostrarValor(QLineEdit* campo, double valor);

// The code of a chosen "code - description" item: the item's data when it has one, else its first
// two characters, trimmed. Empty when nothing is chosen.
std::string CodigoEscolhido(const QComboBox* combo);
int NumeroEscolhido(const QComboBox* combo, int nenhum);
// Chooses the item whose code is the given one (nothing chosen when none is).
void EscolherCodigo(QComboBox* combo, const std::string& codigo);
void EscolherNumero(QComboBox* combo, int numero);

} // namespace drav::trabalhador
