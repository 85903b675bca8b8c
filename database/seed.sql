-- The rows a new installation ships with.
INSERT INTO dgrayr (kurumismi) VALUES ('Pelvanor');
