-- The five tables of Slantvis. Amounts are counts of 1/10000 units (NULL is an empty amount); dates of
-- PeriodNext are ISO 8601 text; date texts are stored as the user saw them. Keys are never reused.
CREATE TABLE Konto2 (
    Konto   INTEGER PRIMARY KEY AUTOINCREMENT,
    Knummer TEXT,
    Knamn   TEXT,
    Ktyp    TEXT,
    Ksumma  AMOUNT INTEGER,
    Kdebit  TEXT
);

CREATE TABLE Inkomst (
    Id      INTEGER PRIMARY KEY AUTOINCREMENT,
    InDatum TEXT,
    InKonto TEXT,
    InYear  INTEGER,
    InMonth INTEGER,
    InSumma AMOUNT INTEGER,
    InTyp   TEXT
);
CREATE INDEX InkomstByMonth ON Inkomst (InYear, InMonth, InSumma);

CREATE TABLE Utgift (
    Id       INTEGER PRIMARY KEY AUTOINCREMENT,
    UtDatum  TEXT,
    UtKonto  TEXT,
    UtYear   INTEGER,
    UtMonth  INTEGER,
    UtSumma  AMOUNT INTEGER,
    UtPKonto TEXT
);
CREATE INDEX UtgiftByMonth ON Utgift (UtYear, UtMonth, UtSumma);
CREATE INDEX UtgiftByCategory ON Utgift (UtPKonto, UtYear, UtMonth, UtSumma);

CREATE TABLE Kontoplan (
    KPnummer TEXT NOT NULL UNIQUE,
    KPnamn   TEXT,
    KPtyp    TEXT,
    KPBudget INTEGER
);

CREATE TABLE Period (
    Id              INTEGER PRIMARY KEY AUTOINCREMENT,
    PeriodNamn      TEXT,
    PeriodKP        TEXT,
    PeriodSumma     AMOUNT INTEGER,
    PeriodDag       INTEGER,
    PeriodIntervall INTEGER,
    PeriodUtkonto   TEXT,
    PeriodKonto     TEXT,
    PeriodNext      DATE TEXT
);
