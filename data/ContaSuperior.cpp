#include "data/ContaSuperior.h"
#include "data/LeInteiro.h"

#include <algorithm>

namespace data {

int ComparaComoBanco(const QString& a, const QString& b) {
    const QByteArray x = a.toLatin1(), y = b.toLatin1();
    const qsizetype n = std::max(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char cx = i < x.size() ? static_cast<unsigned char>(x[i]) : ' ';
        const unsigned char cy = i < y.size() ? static_cast<unsigned char>(y[i]) : ' ';
        if (cx != cy)
            return cx < cy ? -1 : 1;
    }
    return 0;
}

int NivelDaConta(const QString& pcNivel) {
    int n = 0;
    return LeInteiro(pcNivel, n) ? n : 8;
}

PlanoContasOrdenado::PlanoContasOrdenado(int empresa, std::vector<Conta> contas)
    : m_empresa(empresa), m_contas(std::move(contas)) {
    m_ultimaSintetica.resize(m_contas.size());
    std::array<int, niveis> atual;
    atual.fill(-1);
    for (size_t i = 0; i < m_contas.size(); ++i) {
        if (ComparaComoBanco(m_contas[i].tipo, QStringLiteral("S")) == 0) {
            const int nivel = NivelDaConta(m_contas[i].nivel);
            // Negative levels (below every real one) share the slot of level 0.
            atual[std::clamp(nivel, 0, niveis - 1)] = static_cast<int>(i);
        }
        m_ultimaSintetica[i] = atual;
        m_porCodigo.emplace(m_contas[i].pcCodigo, static_cast<int>(i));
    }
}

const PlanoContasOrdenado::Conta* PlanoContasOrdenado::conta(int pcCodigo) const {
    const auto it = m_porCodigo.find(pcCodigo);
    return it == m_porCodigo.end() ? nullptr : &m_contas[it->second];
}

QString PlanoContasOrdenado::superior(const QString& ordenacao, int nivelMaximo) const {
    // Last position whose code is <= the given one: the rows the database query would return.
    const auto fim = std::upper_bound(
        m_contas.begin(), m_contas.end(), ordenacao,
        [](const QString& codigo, const Conta& c) { return ComparaComoBanco(codigo, c.ordenacao) < 0; });
    const int ultimo = static_cast<int>(fim - m_contas.begin()) - 1;
    if (ultimo < 0)
        return {};
    const auto& porNivel = m_ultimaSintetica[ultimo];
    int melhor = -1;
    const int limite = nivelMaximo < 0 ? niveis : std::min(nivelMaximo, niveis);
    for (int nivel = 0; nivel < limite; ++nivel)
        melhor = std::max(melhor, porNivel[nivel]);
    return melhor < 0 ? QString() : m_contas[melhor].ordenacao;
}

} // namespace data
