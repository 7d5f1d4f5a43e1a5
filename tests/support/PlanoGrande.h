#pragma once

// Scripts for the tests of long chart loadings and copies: a chart of many accounts, and a
// trigger that makes every stored association row cost about a millisecond of the server's time,
// so that a run lasts long enough to be cancelled or killed in its middle.

#include <QString>

namespace testsupport {

// `contas` analytic accounts of company `empresa`, keys from `primeiraChave`, ordering codes
// "9" followed by six digits, so that they come after the seed's accounts in chart order.
inline QString scriptPlanoGrande(int empresa, int contas, int primeiraChave) {
    return QStringLiteral(
               "set term ^ ;"
               "execute block as declare i integer = 0; begin "
               "while (i < %2) do begin "
               "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO) "
               "values (%1, %3 + :i, '9' || lpad(:i, 6, '0'), 'Conta ' || :i, '2', 'A'); "
               "i = i + 1; end end^"
               "set term ; ^")
        .arg(empresa)
        .arg(contas)
        .arg(primeiraChave);
}

// Every insert into AUGC80SPAS runs a loop of `voltas` steps first.
inline QString scriptGatilhoLento(int voltas) {
    return QStringLiteral("set term ^ ;"
                          "create trigger AUGC80SPAS_LENTO for AUGC80SPAS before insert as "
                          "declare i integer = 0; begin while (i < %1) do i = i + 1; end^"
                          "set term ; ^")
        .arg(voltas);
}

} // namespace testsupport
