#pragma once

namespace drav {

class TDBUtils;
class TMensagens;
struct ServicosEntrada;

// Gives the first-use wizard its "Cadastrar Responsável" way: the responsible frame for a new
// entry, its checks, and the insert. A failed insert keeps the wizard open (the failure was
// shown by the error handler).
void LigarCadastroResponsavel(ServicosEntrada& servicos, TDBUtils& sessao, TMensagens& mensagens);

} // namespace drav
