#include "validacao/Achado.h"

#include <algorithm>

namespace validacao {

QString TextoGravidade(Gravidade gravidade) {
    return gravidade == Gravidade::Erro ? QStringLiteral("Erro") : QStringLiteral("Aviso");
}

int ContaErros(const Achados& achados) {
    return static_cast<int>(std::count_if(achados.begin(), achados.end(),
                                          [](const Achado& a) { return a.gravidade == Gravidade::Erro; }));
}

int ContaAvisos(const Achados& achados) {
    return static_cast<int>(achados.size()) - ContaErros(achados);
}

QString ResumoAchados(const Achados& achados) {
    return QStringLiteral("%1 erros, %2 avisos").arg(ContaErros(achados)).arg(ContaAvisos(achados));
}

} // namespace validacao
