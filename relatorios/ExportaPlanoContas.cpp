#include "relatorios/ExportaPlanoContas.h"

#include "common/Mensagens.h"
#include "platform/Erro.h"
#include "relatorios/ExportaExcel.h"

#include <exception>

namespace relatorios {

int ExportaPlanoContas(data::TdmFCONT& dm, const QString& arquivo, bool somenteNaoReferenciadas) {
    try {
        return ExportaPlanoContasExcel(dm, arquivo, somenteNaoReferenciadas);
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: \rAo exportar o Plano de Contas para \"") + arquivo +
                                   QStringLiteral("\".\r") + platform::TextoDoErro(e),
                               true);
    }
    return 0;
}

} // namespace relatorios
