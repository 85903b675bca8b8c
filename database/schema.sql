-- Every table of the shop's database.
--
-- Column order matters: several windows add rows by column position, so the positions
-- below are part of the layout and must not move. Unused columns that only hold a
-- position are named bosN (N = their position).
--
-- Types:
--   REAL                  money and quantities that are summed or computed; empty is NULL
--   INTEGER               counters, record numbers, whole numbers
--   DATE                  a date value, stored as ISO text yyyy-mm-dd so that it sorts
--   TEXT COLLATE TURKISH  codes, keys, date texts, descriptions: "=" ignores case the
--                         Turkish way and ORDER BY follows the Turkish alphabet
--   TEXT                  passwords, compared exactly
-- Money columns have no DEFAULT: an amount that was not written stays NULL, never 0.

-- ---------------------------------------------------------------- shell and administration

CREATE TABLE "User" (
    Username TEXT COLLATE TURKISH NOT NULL UNIQUE,
    Password TEXT,
    UserType TEXT COLLATE TURKISH,
    Name     TEXT COLLATE TURKISH,
    id       INTEGER PRIMARY KEY AUTOINCREMENT
);

-- Settings: one row, always read through its first row.
CREATE TABLE dgrayr (
    kurumismi       TEXT COLLATE TURKISH,
    logo            TEXT COLLATE TURKISH,
    oto_yedek       TEXT COLLATE TURKISH,
    oto_yedek_aktif TEXT COLLATE TURKISH,
    show            TEXT COLLATE TURKISH,
    mailsunucu      TEXT COLLATE TURKISH,
    mailadres       TEXT COLLATE TURKISH,
    mailsifre       TEXT,
    mailport        TEXT COLLATE TURKISH
);

-- Number the next customer receipt will carry; one row.
CREATE TABLE yedek_yeri (
    yolu INTEGER
);

CREATE TABLE birimler (
    birimadi TEXT COLLATE TURKISH,
    id       INTEGER PRIMARY KEY AUTOINCREMENT
);

-- Version label and shop name; one row, shipped, never written.
CREATE TABLE surum (
    surum     TEXT COLLATE TURKISH,
    marketadi TEXT COLLATE TURKISH
);

-- ---------------------------------------------------------------- customers

CREATE TABLE musteriler (
    id           INTEGER PRIMARY KEY AUTOINCREMENT, -- 0
    mus_kodu     TEXT COLLATE TURKISH NOT NULL UNIQUE, -- 1
    MusteriFirma TEXT COLLATE TURKISH,              -- 2
    ilgili       TEXT COLLATE TURKISH,              -- 3
    Telefon1     TEXT COLLATE TURKISH,              -- 4
    Telefon2     TEXT COLLATE TURKISH,              -- 5
    bos6         TEXT COLLATE TURKISH,              -- 6
    Adres        TEXT COLLATE TURKISH,              -- 7
    vd           TEXT COLLATE TURKISH,              -- 8
    vdn          TEXT COLLATE TURKISH,              -- 9
    Sonislem     DATE,                              -- 10
    Gun          INTEGER,                           -- 11
    Bakiye       REAL,                              -- 12
    Turu         TEXT COLLATE TURKISH,              -- 13
    Gsm          TEXT COLLATE TURKISH,              -- 14
    mail         TEXT COLLATE TURKISH,              -- 15
    Sonislem2    TEXT COLLATE TURKISH,              -- 16
    "Not"        TEXT COLLATE TURKISH,              -- 17
    bos18        TEXT COLLATE TURKISH,              -- 18
    bos19        TEXT COLLATE TURKISH,              -- 19
    MusGrup      TEXT COLLATE TURKISH,              -- 20
    ParaTuru     TEXT COLLATE TURKISH,              -- 21
    foto         TEXT COLLATE TURKISH               -- 22
);
CREATE INDEX musteriler_Sonislem2 ON musteriler (Sonislem2);
CREATE INDEX musteriler_MusteriFirma ON musteriler (MusteriFirma);
CREATE INDEX musteriler_Turu ON musteriler (Turu);

-- Last customer number handed out; one row.
CREATE TABLE son_musterino (
    musterino INTEGER
);

CREATE TABLE Musteri_Gruplari (
    grupadi TEXT COLLATE TURKISH,
    id      INTEGER PRIMARY KEY AUTOINCREMENT
);

CREATE TABLE MailKonu (
    Aciklama TEXT COLLATE TURKISH,
    id       INTEGER PRIMARY KEY AUTOINCREMENT
);

CREATE TABLE MailMesaj (
    Aciklama TEXT COLLATE TURKISH,
    id       INTEGER PRIMARY KEY AUTOINCREMENT
);

-- ---------------------------------------------------------------- account movements

-- The bank movements write positions 0-3, 7, 8, 10, 12 and 17; islemNo2 at 12 takes the
-- movement kind there. Miktar and BirimFiyat keep the quantity and price text exactly as
-- typed, so they are text.
CREATE TABLE veresiye (
    Tarih       TEXT COLLATE TURKISH,              -- 0  dd.mm.yyyy
    Saat        TEXT COLLATE TURKISH,              -- 1  HH:mm:ss
    Turu        TEXT COLLATE TURKISH,              -- 2
    Aciklama    TEXT COLLATE TURKISH,              -- 3
    Miktar      TEXT COLLATE TURKISH,              -- 4
    Birim       TEXT COLLATE TURKISH,              -- 5
    BirimFiyat  TEXT COLLATE TURKISH,              -- 6
    Eklenen     REAL,                              -- 7
    Odenen      REAL,                              -- 8
    id          INTEGER PRIMARY KEY AUTOINCREMENT, -- 9
    Tarih2      TEXT COLLATE TURKISH,              -- 10 yyyymmdd
    UygFiyat    TEXT COLLATE TURKISH,              -- 11
    islemNo2    TEXT COLLATE TURKISH,              -- 12
    ProductCode TEXT COLLATE TURKISH,              -- 13
    form_kodu   TEXT COLLATE TURKISH,              -- 14
    bos15       TEXT COLLATE TURKISH,              -- 15
    bos16       TEXT COLLATE TURKISH,              -- 16
    mus_kodu    TEXT COLLATE TURKISH               -- 17
);
-- An account's ledger in its order, and its totals and range totals, come from this index
-- alone: opening a long account reads no row it does not show.
CREATE INDEX veresiye_mus_kodu ON veresiye (mus_kodu, Tarih2, Saat, Eklenen, Odenen);
CREATE INDEX veresiye_Tarih2 ON veresiye (Tarih2, Saat);
CREATE INDEX veresiye_islemNo2 ON veresiye (islemNo2);
CREATE INDEX veresiye_form_kodu ON veresiye (form_kodu);

-- Sales log, written by position, read by nobody.
CREATE TABLE SatisRapor (
    id          INTEGER PRIMARY KEY AUTOINCREMENT, -- 0
    ProductCode TEXT COLLATE TURKISH,              -- 1
    UrunMarkasi TEXT COLLATE TURKISH,              -- 2
    UrunAdi     TEXT COLLATE TURKISH,              -- 3
    Miktar      REAL,                              -- 4
    Birim       TEXT COLLATE TURKISH,              -- 5
    BirimFiyat  REAL,                              -- 6
    Tutar       REAL,                              -- 7
    bos8        TEXT COLLATE TURKISH,              -- 8
    bos9        TEXT COLLATE TURKISH,              -- 9
    Tarih       DATE,                              -- 10
    "Month"     INTEGER,                           -- 11
    "Year"      INTEGER,                           -- 12
    Tarih2      TEXT COLLATE TURKISH,              -- 13
    bos14       TEXT COLLATE TURKISH,              -- 14
    mus_kodu    TEXT COLLATE TURKISH               -- 15
);

CREATE TABLE VeresiyeEkleAcik (
    Aciklama TEXT COLLATE TURKISH,
    id       INTEGER PRIMARY KEY AUTOINCREMENT
);

CREATE TABLE VeresiyeOdeAcik (
    Aciklama TEXT COLLATE TURKISH,
    id       INTEGER PRIMARY KEY AUTOINCREMENT
);

-- ---------------------------------------------------------------- cash book

CREATE TABLE kasa (
    id         INTEGER PRIMARY KEY AUTOINCREMENT, -- 0
    mus_kodu   TEXT COLLATE TURKISH,              -- 1
    Tarih      TEXT COLLATE TURKISH,              -- 2  dd.mm.yyyy
    Saat       TEXT COLLATE TURKISH,              -- 3  HH:mm:ss
    Tur        TEXT COLLATE TURKISH,              -- 4
    Aciklama   TEXT COLLATE TURKISH,              -- 5
    Giren      REAL,                              -- 6
    Cikan      REAL,                              -- 7
    Tarih2     TEXT COLLATE TURKISH,              -- 8  yyyymmdd
    islemNo    TEXT COLLATE TURKISH,              -- 9
    islemNo2   TEXT COLLATE TURKISH,              -- 10
    OdemeSekli TEXT COLLATE TURKISH               -- 11
);
CREATE INDEX kasa_Tarih2 ON kasa (Tarih2, Saat);
CREATE INDEX kasa_islemNo2 ON kasa (islemNo2);

-- Last receipt number of the sequence shared by cash entries and bank movements; one row.
CREATE TABLE son_islemno (
    islemno INTEGER
);

CREATE TABLE kasa_giren_a (
    GirenAciklama TEXT COLLATE TURKISH,
    id            INTEGER PRIMARY KEY AUTOINCREMENT
);

CREATE TABLE kasa_cikan_a (
    CikanAciklama TEXT COLLATE TURKISH,
    id            INTEGER PRIMARY KEY AUTOINCREMENT
);

-- ---------------------------------------------------------------- products and stock

CREATE TABLE Product (
    id                 INTEGER PRIMARY KEY AUTOINCREMENT,
    [Product Code]     TEXT COLLATE TURKISH NOT NULL UNIQUE,
    [Generic Name]     TEXT COLLATE TURKISH,
    [Brand Name]       TEXT COLLATE TURKISH,
    Price              REAL,
    SatisFiyati        REAL,
    SatisFiyati2       REAL,
    SatisFiyati3       REAL,
    OnHand             REAL,
    [Reorder Level]    REAL,
    Unit               TEXT COLLATE TURKISH,
    kdv                TEXT COLLATE TURKISH,
    kdvOran            REAL,
    SaticiFirma        TEXT COLLATE TURKISH,
    Sinifi             TEXT COLLATE TURKISH,
    OzelKod1           TEXT COLLATE TURKISH,
    OzelKod2           TEXT COLLATE TURKISH,
    KayitTarihi        TEXT COLLATE TURKISH,      -- dd.mm.yyyy
    "Month"            INTEGER,
    "Year"             INTEGER,
    [Expiration Date]  TEXT COLLATE TURKISH,      -- MM/yyyy as typed
    AlisFiyatiTopTut   REAL,
    SatisFiyatiTopTut  REAL,
    SatisFiyati2TopTut REAL,
    SatisFiyati3TopTut REAL
);
CREATE INDEX Product_BrandName ON Product ([Brand Name], [Product Code]);
CREATE INDEX Product_GenericName ON Product ([Generic Name], [Brand Name]);

-- Categories and suppliers: a name is refused twice, and an empty name is no name.
CREATE TABLE urun_marka (
    urunmarkaadi TEXT COLLATE TURKISH NOT NULL UNIQUE CHECK (urunmarkaadi <> ''),
    id           INTEGER PRIMARY KEY AUTOINCREMENT
);

CREATE TABLE urun_reyon (
    reyon TEXT COLLATE TURKISH NOT NULL UNIQUE CHECK (reyon <> ''),
    id    INTEGER PRIMARY KEY AUTOINCREMENT
);

-- ---------------------------------------------------------------- bank accounts

CREATE TABLE banka (
    id        INTEGER PRIMARY KEY AUTOINCREMENT, -- 0
    Banka     TEXT COLLATE TURKISH,              -- 1
    Sube      TEXT COLLATE TURKISH,              -- 2
    SubeKod   TEXT COLLATE TURKISH,              -- 3
    HesapNo   TEXT COLLATE TURKISH,              -- 4
    Giren     REAL,                              -- 5
    Cikan     REAL,                              -- 6
    Bakiye    REAL,                              -- 7
    HesapTuru TEXT COLLATE TURKISH               -- 8
);
CREATE INDEX banka_HesapNo ON banka (HesapNo);

CREATE TABLE banka2 (
    id         INTEGER PRIMARY KEY AUTOINCREMENT, -- 0
    Banka_Kodu TEXT COLLATE TURKISH,              -- 1
    Tarih      DATE,                              -- 2
    Saat       TEXT COLLATE TURKISH,              -- 3  HH:mm:ss
    Turu       TEXT COLLATE TURKISH,              -- 4
    Aciklama   TEXT COLLATE TURKISH,              -- 5
    Giren      REAL,                              -- 6
    Cikan      REAL,                              -- 7
    islemNo    TEXT COLLATE TURKISH,              -- 8
    Tarih2     TEXT COLLATE TURKISH,              -- 9  yyyymmdd
    mus_kodu   TEXT COLLATE TURKISH               -- 10
);
CREATE INDEX banka2_Banka_Kodu ON banka2 (Banka_Kodu, Tarih2);
