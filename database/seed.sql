-- The rows a new installation ships with.

INSERT INTO dgrayr (kurumismi, logo, oto_yedek, oto_yedek_aktif, show,
                    mailsunucu, mailadres, mailsifre, mailport)
VALUES ('Pelvanor', '', '', '0', '0', 'smtp.gmail.com', '', '', '465');

INSERT INTO surum (surum, marketadi) VALUES ('1.0.0', 'Pelvanor');

-- Counters: the first receipt number and the first customer number handed out are 1.
INSERT INTO son_islemno (islemno) VALUES (0);
INSERT INTO son_musterino (musterino) VALUES (0);
-- The next customer receipt carries this number.
INSERT INTO yedek_yeri (yolu) VALUES (1);

-- The first login; full rights.
INSERT INTO "User" (Username, Password, UserType, Name) VALUES ('admin', 'admin', '0', 'Tam Yetki');

INSERT INTO birimler (birimadi) VALUES ('Adet'), ('Kg'), ('Metre'), ('Litre'), ('Paket'), ('Kutu');

INSERT INTO kasa_giren_a (GirenAciklama) VALUES
    ('Peşin Satış'),
    ('Tahsilat'),
    ('Sermaye Girişi'),
    ('Diğer Gelirler');

INSERT INTO kasa_cikan_a (CikanAciklama) VALUES
    ('Mal Alımı'),
    ('Kira Ödemesi'),
    ('Elektrik Faturası'),
    ('Su Faturası'),
    ('Telefon / İnternet Faturası'),
    ('Personel Maaşı'),
    ('Diğer Giderler');
