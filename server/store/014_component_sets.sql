-- Set items: an item made of components (a packing set of a box, a ribbon
-- and a cooling pack). The raw-material ledger moves the use of whole sets
-- from the components to the set item.

CREATE TABLE IF NOT EXISTS F0240 (
    CACMCD TEXT NOT NULL,
    CABUUT TEXT NOT NULL,
    CAPUB1 TEXT NOT NULL,              -- the set item
    CAITNB TEXT NOT NULL,              -- one of its components
    CASAWT REAL NOT NULL DEFAULT 0,    -- quantity of the component in one set, in its base unit
    CALADT DATETIME,
    PRIMARY KEY (CACMCD, CABUUT, CAPUB1, CAITNB)
);

CREATE INDEX IF NOT EXISTS F0240_COMPONENT ON F0240 (CACMCD, CABUUT, CAITNB);
