#pragma once

#include "platform/ColunaGrade.h"
#include "platform/MemTable.h"
#include "validacao/Achado.h"

#include <vector>

namespace validacao {

// The findings as their grid shows them; the spreadsheet written from the grid reads the same
// description.
const std::vector<platform::ColunaGrade>& ColunasAchados();

enum class FiltroGravidade { Todos, Erros, Avisos };

// The findings of one check in an in-memory table, one row each in the order they were given:
// GRAVIDADE ("Erro" or "Aviso"), LINHA (null when the finding is about no one line: a record
// missing from the file, an account, a month), REGISTRO, CAMPO, CONTA, MENSAGEM, and, hidden,
// REGRA and the finding's position. The table narrows to one severity and sorts by any of its
// columns without losing the finding behind each row.
class TabelaAchados : public platform::MemTable {
public:
    TabelaAchados();

    // Replaces the rows; the filter and the sort order stay, the first row becomes current.
    void preenche(const Achados& achados);
    const Achados& achados() const { return m_achados; }

    void filtra(FiltroGravidade filtro);
    FiltroGravidade filtro() const { return m_filtro; }

    // Sorted by the field (ties in the order given); an empty name restores the order given.
    // The current finding stays current. Errors come before warnings in ascending order, and
    // findings without a line before the first line.
    void ordena(const QString& campo, bool decrescente = false);
    const QString& ordenadoPor() const { return m_campoOrdem; }
    bool decrescente() const { return m_decrescente; }

    // The finding shown in a row of the view, and the current one; null when there is none.
    const Achado* achadoDa(int linhaDaVista) const;
    const Achado* achadoAtual() const { return achadoDa(recNo()); }

protected:
    bool rowLess(const platform::Row& a, const platform::Row& b) const override;
    bool ordered() const override { return true; }

private:
    Achados m_achados;
    FiltroGravidade m_filtro = FiltroGravidade::Todos;
    QString m_campoOrdem;
    int m_indiceOrdem = -1;
    bool m_decrescente = false;
};

// Where in the main window a finding is mended.
enum class PaginaCorrecao { Nenhuma, Registro0000, RegistroI050, RegistroJ930, RegistroM020, RegistroM030 };

// The page of the record or, for a finding about an account and no record of those pages (a
// balance, a referential account, a finding of the books), the chart page with that account.
PaginaCorrecao PaginaDoAchado(const Achado& achado);

// An account code as the file or the ERP writes it, reduced to what two spellings share: the
// mask's punctuation goes (M355 writes codes unmasked) and letters keep no case.
QString ChaveDeConta(const QString& codigo);

} // namespace validacao
