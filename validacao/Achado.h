#pragma once

#include <QList>
#include <QString>

namespace validacao {

enum class Gravidade { Erro, Aviso };

// "Erro" or "Aviso", as the user reads it.
QString TextoGravidade(Gravidade gravidade);

// One thing found wrong, and where: what a findings grid shows and what takes the user to the
// place where it is fixed. `linha` counts the file's lines from 1; 0 when the finding is not
// about one line (a record missing from the file, a month of the books).
struct Achado {
    Gravidade gravidade = Gravidade::Erro;
    int linha = 0;
    QString registro; // record code, "I050"
    QString campo;    // field name as the layout spells it, "COD_CTA_SUP"; may be empty
    QString conta;    // account code as written in the file, where there is one
    QString mensagem; // what is wrong and where in this program it is mended
    QString regra;    // the rule that found it ("Estrutura", "Saldos"...), for filtering

    bool operator==(const Achado&) const = default;
};

using Achados = QList<Achado>;

int ContaErros(const Achados& achados);
int ContaAvisos(const Achados& achados);
// "N erros, M avisos", the same words for any count.
QString ResumoAchados(const Achados& achados);

} // namespace validacao
