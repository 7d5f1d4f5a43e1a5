#include "validacao/Validacao.h"

#include "validacao/Regras.h"

#include <algorithm>

namespace validacao {

Achados ValidaArquivo(const ArquivoFCONT& arquivo, const TabelasExternas& tabelas) {
    const Contexto c(arquivo, tabelas);
    Achados achados;
    using Regra = void (*)(const Contexto&, Achados&);
    static const Regra regras[] = {
        VerificaDelimitadores,
        VerificaRegistrosDoLeiaute,
        VerificaAberturaEFim,
        VerificaOrdemDosRegistros,
        VerificaAberturasEEncerramentos,
        VerificaDatas,
        VerificaPeriodo,
        VerificaValores,
        VerificaIndicadoresDC,
        VerificaCnpj,
        VerificaCpf,
        VerificaUf,
        VerificaMunicipio,
        VerificaListasDeCodigos,
        VerificaTotaisDosBlocos,
        VerificaContagens9900,
        VerificaTotal9990,
        VerificaTotal9999,
        VerificaContasUnicas,
        VerificaNiveis,
        VerificaSuperiores,
        VerificaNaturezas,
        VerificaSinteticasVazias,
        VerificaDataAlteracao,
        VerificaI051SobAnalitica,
        VerificaEntidadeReferencial,
        VerificaContaReferencial,
        VerificaGrupoReferencial,
        VerificaContasSemReferencia,
        VerificaContasDosSaldos,
        VerificaSaldosUnicos,
        VerificaAritmeticaI155,
        VerificaSomaDosSaldos,
        VerificaContador,
        VerificaCrcDoContador,
        VerificaCpfsRepetidos,
        VerificaQualificacao,
        VerificaM020,
        VerificaM030,
        VerificaContasM025,
        VerificaContasM355,
    };
    for (const Regra regra : regras)
        regra(c, achados);
    // In the order of the file; what concerns the file as a whole comes first.
    std::stable_sort(achados.begin(), achados.end(),
                     [](const Achado& a, const Achado& b) { return a.linha < b.linha; });
    return achados;
}

ResultadoValidacao ValidaArquivoFCONT(const QString& caminho, const QString& pastaTabelas) {
    ResultadoValidacao r;
    QString motivo;
    const std::optional<ArquivoFCONT> arquivo = LeArquivoFCONT(caminho, &motivo);
    if (!arquivo) {
        r.motivo = motivo;
        return r;
    }
    TabelasExternas tabelas;
    try {
        tabelas = TabelasExternas::Carrega(pastaTabelas);
    } catch (const std::exception& e) {
        r.motivo = QString::fromUtf8(e.what());
        return r;
    }
    r.lido = true;
    r.achados = ValidaArquivo(*arquivo, tabelas);
    return r;
}

} // namespace validacao
