#pragma once

#include <QString>
#include <array>
#include <unordered_map>
#include <vector>

namespace data {

// Compares two texts as the database compares CHAR/VARCHAR values of the ISO8859_1 binary
// collation: byte by byte, the shorter one padded with blanks ("AB" = "AB  ").
int ComparaComoBanco(const QString& a, const QString& b);

// Level of a chart row as the superior-account rule reads it: the integer of PCNIVEL, or 8 when
// PCNIVEL is not an integer.
int NivelDaConta(const QString& pcNivel);

// One company's chart in the order "order by PCORDENACAO, PCNIVEL" as the database returned it,
// with, for every position, the nearest synthetic row at or before it per level. Both searches
// of the superior-account rule are then a binary search plus a few lookups.
class PlanoContasOrdenado {
public:
    struct Conta {
        int pcCodigo;
        QString ordenacao;
        QString nivel;
        QString tipo;
    };

    PlanoContasOrdenado(int empresa, std::vector<Conta> contas);

    int empresa() const { return m_empresa; }
    // The row of an account key, or null when the company's chart has no such account.
    const Conta* conta(int pcCodigo) const;
    // Code of the nearest synthetic row with ordenacao <= the given code: with a level below
    // `nivelMaximo` (synthetic accounts), or of any level (nivelMaximo < 0, analytic accounts).
    QString superior(const QString& ordenacao, int nivelMaximo) const;

private:
    static constexpr int niveis = 100; // levels 0..99 (PCNIVEL is short); 8 for the non-integer ones
    int m_empresa;
    std::vector<Conta> m_contas;
    std::unordered_map<int, int> m_porCodigo;
    std::vector<std::array<int, niveis>> m_ultimaSintetica; // per position and level, -1 when none
};

} // namespace data
