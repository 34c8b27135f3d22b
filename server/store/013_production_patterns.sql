-- Production patterns: a named list of items with base quantities and a
-- production line, kept per store, from which the production-pattern screen
-- starts a production. A pattern's name is unique within its store.

CREATE TABLE IF NOT EXISTS F3320 (            -- production patterns
    UHCMCD TEXT NOT NULL,
    UHBUUT TEXT NOT NULL,
    UHNUMB INTEGER NOT NULL,
    UHNAME TEXT NOT NULL DEFAULT '',
    UHLINB TEXT NOT NULL DEFAULT '',     -- production line (code group 061)
    UHSEQ INTEGER NOT NULL DEFAULT 0,
    UHUSFL BOOLEAN NOT NULL DEFAULT 1,
    UHLADT DATETIME,
    PRIMARY KEY (UHCMCD, UHBUUT, UHNUMB),
    UNIQUE (UHCMCD, UHBUUT, UHNAME)
);

CREATE TABLE IF NOT EXISTS F3321 (            -- production-pattern lines
    UDCMCD TEXT NOT NULL,
    UDBUUT TEXT NOT NULL,
    UDNUMB INTEGER NOT NULL,
    UDSEQ INTEGER NOT NULL,
    UDITNB TEXT NOT NULL,
    UDUNIT TEXT NOT NULL DEFAULT '',     -- production unit; '' the item's base unit
    UDQTY REAL NOT NULL DEFAULT 0,       -- base quantity
    UDLINB TEXT NOT NULL DEFAULT '',     -- production line of the line; '' the pattern's
    UDLADT DATETIME,
    PRIMARY KEY (UDCMCD, UDBUUT, UDNUMB, UDSEQ),
    FOREIGN KEY (UDCMCD, UDBUUT, UDNUMB) REFERENCES F3320 (UHCMCD, UHBUUT, UHNUMB) ON DELETE CASCADE
);
