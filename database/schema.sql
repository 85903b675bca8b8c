-- Every table of the shop's database. Text columns compare and sort the Turkish way.
CREATE TABLE dgrayr (id INTEGER PRIMARY KEY AUTOINCREMENT, kurumismi TEXT COLLATE TURKISH);
