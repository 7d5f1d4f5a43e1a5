-- Encoding: ASCII (no accented characters in this file).
-- The tables of the accounting ERP that the FCONT generator reads, reduced to the columns it
-- reads plus a few neighbours, so that "select *" datasets look like the real thing. The
-- generator never writes to them. Needs the domain DOVALOR (01_dominio.sql).

-- Companies and their parameters.
CREATE TABLE AUGC01PA (
    PACODIGO                SMALLINT NOT NULL,
    PAEMPRAZAO              VARCHAR(60),
    PAEMPFANTASIA           VARCHAR(40),
    PAEMPCNPJ               VARCHAR(18),
    PAEMPIE                 VARCHAR(20),
    PAEMPUF                 VARCHAR(2),
    PAEMPCIDADE             VARCHAR(55),
    PACONTAMASCARA          VARCHAR(30),
    -- Written unchanged into an SQL in-list by the generator, e.g. '1,2'.
    PAEMPRESACONSOLIDADA    VARCHAR(100),
    PAINICIOATIVIDADE       DATE,
    CONSTRAINT PK_AUGC01PA PRIMARY KEY (PACODIGO)
);

-- Chart of accounts per company. Twenty columns, as the general search lists the whole field
-- list. Companies of one consolidation group share account keys: the balance statements join
-- the balances of every consolidated company on the key of the main company's account.
CREATE TABLE ACBC15PC (
    PACODIGO                SMALLINT NOT NULL,
    PCCODIGO                INTEGER NOT NULL,
    PCORDENACAO             VARCHAR(32),
    PCDESCRICAO             VARCHAR(60),
    PCNIVEL                 VARCHAR(1),
    PCTIPO                  CHAR(1),
    PCCODIGONATUREZA        CHAR(2),
    CCCODIGO                INTEGER,
    PCCODIGOREDUZIDO        INTEGER,
    PCDESCRICAORESUMIDA     VARCHAR(30),
    PCNATUREZASALDO         CHAR(1),
    PCACEITALANCAMENTO      CHAR(1),
    PCATIVA                 CHAR(1),
    PCEXIGECCUSTO           CHAR(1),
    PCGRUPODRE              VARCHAR(10),
    PCDATACRIACAO           DATE,
    PCDATAALTERACAO         DATE,
    PCUSUARIO               VARCHAR(20),
    PCOBSERVACAO            VARCHAR(200),
    PCORIGEM                VARCHAR(10),
    CONSTRAINT PK_ACBC15PC PRIMARY KEY (PACODIGO, PCCODIGO)
);
CREATE INDEX ACBC15PC_ORDENACAO ON ACBC15PC (PACODIGO, PCORDENACAO);

-- Cost centres of the cost accounting (block 0600 source).
CREATE TABLE AAFC80PF (
    PACODIGO                SMALLINT NOT NULL,
    PFCODIGO                VARCHAR(8) NOT NULL,
    PFDESCRICAO             VARCHAR(70),
    CONSTRAINT PK_AAFC80PF PRIMARY KEY (PACODIGO, PFCODIGO)
);

-- States and municipalities.
CREATE TABLE AUGC16RCIE (
    RCIEID                  INTEGER NOT NULL,
    RCIENOME                VARCHAR(40),
    RCIESIGLA               VARCHAR(2),
    CONSTRAINT PK_AUGC16RCIE PRIMARY KEY (RCIEID)
);

CREATE TABLE AUGC16RCIM (
    RCIMID                  INTEGER NOT NULL,
    RCIMNOME                VARCHAR(55),
    RCIMIDUF                INTEGER,
    CONSTRAINT PK_AUGC16RCIM PRIMARY KEY (RCIMID)
);

-- Establishments (branches). CODIGO is compared with the two-character FILIAL of a
-- parameter set, hence text.
CREATE TABLE EA (
    CODIGO                  VARCHAR(2) NOT NULL,
    NOME                    VARCHAR(60),
    CICCGC                  VARCHAR(18),
    INSC_EST                VARCHAR(20),
    ESTADO                  VARCHAR(2),
    INSC_MUN                VARCHAR(20),
    UGENDERECO              VARCHAR(60),
    UGENDCOMPLEMENTO        VARCHAR(30),
    UGENDNUMERO             VARCHAR(10),
    BAIRRO                  VARCHAR(40),
    CEP                     VARCHAR(9),
    FONE                    VARCHAR(14),
    FAX                     VARCHAR(14),
    EMAIL                   VARCHAR(60),
    CIDADE                  INTEGER,
    CONSTRAINT PK_EA PRIMARY KEY (CODIGO)
);

-- Standard ledger histories (I075).
CREATE TABLE ACBC16HC (
    HCCODIGO                INTEGER NOT NULL,
    HCDESCRICAO             VARCHAR(60),
    CONSTRAINT PK_ACBC16HC PRIMARY KEY (HCCODIGO)
);

-- Cost centres of the ledger (I100).
CREATE TABLE AUGC19CC (
    CCCODIGO                INTEGER NOT NULL,
    CCDESCRICAO             VARCHAR(60),
    CONSTRAINT PK_AUGC19CC PRIMARY KEY (CCCODIGO)
);

-- Monthly balance per company and account. SCPERIODO is the first day of the month,
-- SCSALDOANTERIOR the balance before the month, SCSALDOATUAL the balance after it;
-- positive is debit.
CREATE TABLE ACBC21SC (
    PACODIGO                SMALLINT NOT NULL,
    PCCODIGO                INTEGER NOT NULL,
    SCPERIODO               DATE NOT NULL,
    SCSALDOANTERIOR         DOVALOR,
    SCSALDOATUAL            DOVALOR,
    CONSTRAINT PK_ACBC21SC PRIMARY KEY (PACODIGO, PCCODIGO, SCPERIODO)
);

-- Ledger entries, one row per side. LCID 'E' marks the closing entries of the result
-- accounts, which the balances before closing leave out.
CREATE TABLE ACBM19LC (
    LCCODIGO                INTEGER NOT NULL,
    PACODIGO                SMALLINT NOT NULL,
    PCCODIGO                INTEGER NOT NULL,
    LCDATALANCAMENTO        DATE,
    LCVALORDEBITO           DOVALOR,
    LCVALORCREDITO          DOVALOR,
    LCID                    VARCHAR(1),
    LCLOTE                  INTEGER,
    LCCONTRAPARTIDASEQ      INTEGER,
    HCCODIGO                INTEGER,
    LCHISTORICO             VARCHAR(200),
    CCCODIGO                INTEGER,
    CONSTRAINT PK_ACBM19LC PRIMARY KEY (LCCODIGO)
);
CREATE INDEX ACBM19LC_CONTA_DATA ON ACBM19LC (PACODIGO, PCCODIGO, LCDATALANCAMENTO);

-- Fiscal book of incoming notes; only its EMITENTE column matters here (the optional
-- performance index ALFM2001_IDXSPEDEFD is created on it by the program, so it must not
-- exist beforehand).
CREATE TABLE ALFM2001 (
    LFCODIGO                INTEGER NOT NULL,
    PACODIGO                SMALLINT,
    EMITENTE                INTEGER,
    LFNUMERO                VARCHAR(20),
    LFDATAEMISSAO           DATE,
    LFVALORCONTABIL         DOVALOR,
    CONSTRAINT PK_ALFM2001 PRIMARY KEY (LFCODIGO)
);

-- Sibling tables of the FCONT family, in their old version: the schema upkeep adds
-- SPPAIND_ESCRI and SPRZPIS_PERC.
CREATE TABLE AUGC80SPPA (
    SPPACODIGO              INTEGER NOT NULL,
    SPCODIGO                INTEGER,
    SPPADESCRICAO           VARCHAR(60),
    CONSTRAINT PK_AUGC80SPPA PRIMARY KEY (SPPACODIGO)
);

CREATE TABLE AUGC80SPRZ (
    SPRZCODIGO              INTEGER NOT NULL,
    SPCODIGO                INTEGER,
    SPRZDESCRICAO           VARCHAR(60),
    SPRZCOFINS_PERC         DOVALOR,
    CONSTRAINT PK_AUGC80SPRZ PRIMARY KEY (SPRZCODIGO)
);
