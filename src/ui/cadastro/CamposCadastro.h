#pragma once
#include <QString>

#include <string>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QWidget;

namespace drav {

// Field kinds shared by the entry frames. Each sets the object name, the maximum length and
// what the field lets through, so the frames only lay them out.

// Letters, digits and blanks, shown in upper case as typed (names are stored in upper case and
// searched that way).
QLineEdit* CampoCodigo(QWidget* pai, const char* nome, int tamanho);
// Letters and blanks only, upper case.
QLineEdit* CampoNome(QWidget* pai, const char* nome, int tamanho);
// Digits only.
QLineEdit* CampoDigitos(QWidget* pai, const char* nome, int tamanho);
// Free text.
QLineEdit* CampoLivre(QWidget* pai, const char* nome, int tamanho);
// Postal code with the mask 99999-999; only the digits are kept.
QLineEdit* CampoCep(QWidget* pai, const char* nome);

// Inscription type ("CNPJ", "CEI"; no selection means no type) and its number, whose mask
// follows the type.
QComboBox* ComboTipoInscricao(QWidget* pai, QLineEdit* numero);
// 1 CNPJ, 2 CEI, 0 none chosen.
int TipoEscolhido(const QComboBox* tipo);
void MostrarInscricao(QComboBox* tipo, QLineEdit* numero, int tipoInscricao, const std::string& inscricao);

// The digits of a field (masks and separators dropped) and its plain text.
std::string Digitos(const QLineEdit* campo);
std::string Texto(const QLineEdit* campo);
std::string Texto(const QComboBox* combo);
void Mostrar(QLineEdit* campo, const std::string& texto);
// Selects the item with that text (no selection when there is none).
void Selecionar(QComboBox* combo, const std::string& texto);

} // namespace drav
