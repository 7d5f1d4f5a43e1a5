#pragma once

// The rules of the checker, each a function that adds what it finds. They read the file through
// a Contexto, which knows the layout and keeps the lines of each record type; every rule but
// those of the structure looks only at well-formed lines (known record, right field count), so
// one broken line is reported once, by the structure.

#include "generation/Leiaute.h"
#include "validacao/Achado.h"
#include "validacao/ArquivoFCONT.h"
#include "validacao/TabelasExternas.h"

#include <QDate>
#include <QHash>
#include <memory>
#include <optional>
#include <vector>

namespace validacao {

class PlanoDoArquivo;

class Contexto {
public:
    Contexto(const ArquivoFCONT& arquivo, const TabelasExternas& tabelas);
    ~Contexto();

    const ArquivoFCONT& arquivo;
    const TabelasExternas& tabelas;

    const generation::RegistroLeiaute* leiaute(const QString& codigo) const;
    bool bemFormada(const LinhaFCONT& linha) const;
    // The well-formed lines of one record type, in file order.
    const QList<const LinhaFCONT*>& linhas(const QString& codigo) const;
    // Every line that names the record type, broken ones too.
    const QList<const LinhaFCONT*>& todasAsLinhas(const QString& codigo) const;
    // The lines whose record code is of block 0, I, J, M or 9.
    int linhasDoBloco(QChar bloco) const;
    // The chart of the file, read at the first rule that asks.
    const PlanoDoArquivo& plano() const;
    // Index of a field in the line's fields (REG is 0); -1 when the record has no such field.
    int posicao(const QString& codigo, QLatin1StringView campo) const;
    // A field of a well-formed line by name; empty when the record has no such field.
    QString valor(const LinhaFCONT& linha, QLatin1StringView campo) const;

    // The period of 0000, when its dates are real dates.
    std::optional<QDate> inicio, fim;

private:
    QHash<QString, const generation::RegistroLeiaute*> m_leiautes;
    QHash<QString, QList<const LinhaFCONT*>> m_linhas, m_todas;
    std::vector<char> m_bemFormada; // by line, from 0
    mutable std::unique_ptr<PlanoDoArquivo> m_plano;
};

// Appends one finding about a line (or about the file, with a null line).
void Acha(Achados& achados, const QString& regra, Gravidade gravidade, const LinhaFCONT* linha,
          const QString& registro, const QString& campo, const QString& conta, const QString& mensagem);

// What a structural or counting fault asks for: this program writes neither.
QString RefazerArquivo();

// "DDMMYYYY" as a calendar date; a null date for anything else.
QDate DataDoArquivo(const QString& texto);
// "1234,56", "1234,5" or "1234" in cents; nothing for any other text (signs included).
std::optional<qint64> CentavosDoArquivo(const QString& texto);
// "1234,56" from cents, with its minus sign.
QString TextoDeCentavos(qint64 centavos);

// Structure.
void VerificaDelimitadores(const Contexto& c, Achados& achados);
void VerificaRegistrosDoLeiaute(const Contexto& c, Achados& achados);
void VerificaAberturaEFim(const Contexto& c, Achados& achados);
void VerificaOrdemDosRegistros(const Contexto& c, Achados& achados);
void VerificaAberturasEEncerramentos(const Contexto& c, Achados& achados);

// Fields.
void VerificaDatas(const Contexto& c, Achados& achados);
void VerificaPeriodo(const Contexto& c, Achados& achados);
void VerificaValores(const Contexto& c, Achados& achados);
void VerificaIndicadoresDC(const Contexto& c, Achados& achados);
void VerificaCnpj(const Contexto& c, Achados& achados);
void VerificaCpf(const Contexto& c, Achados& achados);
void VerificaUf(const Contexto& c, Achados& achados);
void VerificaMunicipio(const Contexto& c, Achados& achados);
void VerificaListasDeCodigos(const Contexto& c, Achados& achados);

// Counts.
void VerificaTotaisDosBlocos(const Contexto& c, Achados& achados);
void VerificaContagens9900(const Contexto& c, Achados& achados);
void VerificaTotal9990(const Contexto& c, Achados& achados);
void VerificaTotal9999(const Contexto& c, Achados& achados);

// Chart of accounts (I050).
void VerificaContasUnicas(const Contexto& c, Achados& achados);
void VerificaNiveis(const Contexto& c, Achados& achados);
void VerificaSuperiores(const Contexto& c, Achados& achados);
void VerificaNaturezas(const Contexto& c, Achados& achados);
void VerificaSinteticasVazias(const Contexto& c, Achados& achados);
void VerificaDataAlteracao(const Contexto& c, Achados& achados);

// Referential accounts (I051).
void VerificaI051SobAnalitica(const Contexto& c, Achados& achados);
void VerificaEntidadeReferencial(const Contexto& c, Achados& achados);
void VerificaContaReferencial(const Contexto& c, Achados& achados);
void VerificaGrupoReferencial(const Contexto& c, Achados& achados);
void VerificaContasSemReferencia(const Contexto& c, Achados& achados);

// Balances (I155, I355).
void VerificaContasDosSaldos(const Contexto& c, Achados& achados);
void VerificaSaldosUnicos(const Contexto& c, Achados& achados);
void VerificaAritmeticaI155(const Contexto& c, Achados& achados);
void VerificaSomaDosSaldos(const Contexto& c, Achados& achados);

// Signatories (J930).
void VerificaContador(const Contexto& c, Achados& achados);
void VerificaCrcDoContador(const Contexto& c, Achados& achados);
void VerificaCpfsRepetidos(const Contexto& c, Achados& achados);
void VerificaQualificacao(const Contexto& c, Achados& achados);

// Block M.
void VerificaM020(const Contexto& c, Achados& achados);
void VerificaM030(const Contexto& c, Achados& achados);
void VerificaContasM025(const Contexto& c, Achados& achados);
void VerificaContasM355(const Contexto& c, Achados& achados);

} // namespace validacao

namespace validacao {

// Where in this program the value of a record's field is mended ("Página Registro 0000, campo
// \"CNPJ\"."), or what to do when the value comes from the ERP; empty when nothing but a new
// generation mends it.
QString OndeCorrigir(const QString& registro, const QString& campo);

} // namespace validacao

namespace validacao {

// The I050 accounts of the file, read once by the rules that need the chart.
struct ContaDoPlano {
    const LinhaFCONT* linha = nullptr;
    QString codigo, superior, natureza, tipo;
    int nivel = -1; // -1 when NIVEL is not a whole number from 1 up
    bool analitica() const { return tipo == QLatin1String("A"); }
};

class PlanoDoArquivo {
public:
    explicit PlanoDoArquivo(const Contexto& c);
    QList<ContaDoPlano> contas; // in file order
    // The account's first I050; null when the file has none.
    const ContaDoPlano* conta(const QString& codigo) const;
    // The I050 under which each I051 stands (null when none precedes it), in file order.
    QList<QPair<const LinhaFCONT*, const ContaDoPlano*>> referencias;

private:
    QHash<QString, qsizetype> m_porCodigo;
};

} // namespace validacao
