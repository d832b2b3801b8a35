#pragma once
// The preview of the checking listings and the entry points the windows call.
#include "core/Datas.h"

#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace drav {

class TDBUtils;
class TMensagens;
struct DocumentoRelatorio;

// Opens the laid-out report in a modal preview, zoomed to fit the page, from which the user
// prints.
void VisualizarRelatorio(QWidget* pai, const DocumentoRelatorio& documento);

// Each prepares its listing with the wait cursor and previews it. When there is nothing to list
// the user is told "RE0086" and the answer is false. Database failures are passed on.

// Inconsistencies of a file load (1, 2, 4, 5) or of the closing (3).
bool VisualizarInconsistencias(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens, int numeroArquivo,
                               TDateTime dataEdital);
bool VisualizarEmpresas(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens);
bool VisualizarAlteracaoCadastral(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens);

// The worker listing: opens the employer selection when there is at least one employer ("RE0086"
// and false otherwise); from there the user chooses the worker order and prints.
bool VisualizarTrabalhadores(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens);
// The worker listing of the given employers (every worker, also those without a link, with
// `todas`) in that order.
bool VisualizarListagemTrabalhadores(QWidget* pai, TDBUtils& sessao, TMensagens& mensagens, const std::string& ordem,
                                     bool todas, const std::vector<int64_t>& inscricoes);

} // namespace drav
