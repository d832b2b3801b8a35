#include "ui/comum/Combos.h"

#include "core/DBUtils.h"
#include "core/Formatacao.h"

#include <QComboBox>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <vector>

namespace drav {

namespace {

struct Item {
    QString texto;
    QVariant dado;
};

int Carregar(TDBUtils& sessao, QComboBox* combo, const std::string& sql, int largura)
{
    combo->clear();
    const auto r = sessao.AbrirConsulta(sql);
    const bool manterBrancos = combo->objectName() == QLatin1String("cmbCBO");
    const bool comDado = r->FieldCount() >= 2;
    std::vector<Item> itens;
    for (r->First(); !r->Eof(); r->Next()) {
        std::string texto = r->Field(0).AsString();
        if (!manterBrancos)
            texto = Aparar(texto);
        if (largura > 0)
            texto = CompletarZeros(texto, largura);
        itens.push_back({QString::fromStdString(texto), comDado ? QVariant(r->Field(1).AsInteger()) : QVariant()});
    }
    std::stable_sort(itens.begin(), itens.end(), [](const Item& a, const Item& b) {
        return QString::compare(a.texto, b.texto, Qt::CaseInsensitive) < 0;
    });
    for (const Item& i : itens)
        combo->addItem(i.texto, i.dado);
    return static_cast<int>(itens.size());
}

void SelecionarUnico(QComboBox* combo) { combo->setCurrentIndex(combo->count() == 1 ? 0 : -1); }

} // namespace

void PreencherCombo(TDBUtils& sessao, QComboBox* combo, const std::string& sql, bool brancoPrimeiro,
                    bool todosPrimeiro)
{
    const int linhas = Carregar(sessao, combo, sql, 0);
    if (brancoPrimeiro && linhas >= 1)
        combo->insertItem(0, QString());
    if (todosPrimeiro && linhas >= 2)
        combo->insertItem(0, QStringLiteral("Todos"));
    SelecionarUnico(combo);
}

void PreencherComboZeros(TDBUtils& sessao, QComboBox* combo, const std::string& sql, int largura)
{
    Carregar(sessao, combo, sql, largura);
    SelecionarUnico(combo);
}

} // namespace drav
