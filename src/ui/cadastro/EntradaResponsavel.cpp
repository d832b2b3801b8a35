#include "ui/cadastro/EntradaResponsavel.h"

#include "core/Excecoes.h"
#include "core/Mensagens.h"
#include "ui/cadastro/TfrmResponsavel.h"
#include "ui/entrada/TfrmEntrada.h"

#include <QPointer>

#include <memory>

namespace drav {

void LigarCadastroResponsavel(ServicosEntrada& servicos, TDBUtils& sessao, TMensagens& mensagens)
{
    auto frame = std::make_shared<QPointer<TfrmResponsavel>>();
    servicos.criarFrameResponsavel = [frame, &sessao, &mensagens](QWidget* pai) -> QWidget* {
        auto* f = new TfrmResponsavel(sessao, mensagens, pai);
        f->OcultarBotoes(true);
        f->NovoCadastro();
        *frame = f;
        return f;
    };
    servicos.validarResponsavel = [frame] { return !frame->isNull() && (*frame)->Validar(); };
    servicos.salvarResponsavel = [frame, &mensagens] {
        if (frame->isNull())
            throw ENegocio("Quadro do responsável não criado.");
        DefinirModoEdicao(meInclusao);
        if (!(*frame)->Gravar())
            throw EAbortarSilencioso();
        DefinirModoEdicao(meConsulta);
        mensagens.AvisarOperacao("00", 0);
    };
}

} // namespace drav
