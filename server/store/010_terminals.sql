-- The terminals allowed to call the server. Each has a key, printed once when
-- the terminal is added (hqserver --add-terminal); only its hash is kept
-- (libsodium generic hash, hex). A terminal added again gets a new key and
-- its old one stops working.

CREATE TABLE IF NOT EXISTS SYS_TERMINAL (
    TKCMCD TEXT NOT NULL,
    TKBUUT TEXT NOT NULL,
    TKPOID TEXT NOT NULL,
    TKHASH TEXT NOT NULL,
    TKLADT DATETIME,
    PRIMARY KEY (TKCMCD, TKBUUT, TKPOID)
);
CREATE UNIQUE INDEX IF NOT EXISTS SYS_TERMINAL_HASH ON SYS_TERMINAL (TKHASH);
