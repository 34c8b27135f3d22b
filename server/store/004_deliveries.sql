-- Delivery sales and their bookings: a customer orders goods to be delivered
-- on a later day; the sale (F4100 with its lines F4101) is rung up at the
-- store and the booking (F4104) keeps who ordered, who receives and when
-- (dates of the booking as "yyyy-mm-dd", of the sale as "yyyymmdd").
-- The store-document schema declares the same tables; whichever migration
-- runs first creates them.

CREATE TABLE IF NOT EXISTS F4100 (            -- delivery sales (written by the shop's till, read here)
    SHCMCD TEXT NOT NULL,
    SHBUUT TEXT NOT NULL,
    SHDATE TEXT NOT NULL,
    SHPOID TEXT NOT NULL,
    SHNUMB INTEGER NOT NULL,
    SHAMT INTEGER NOT NULL DEFAULT 0,
    SHLADT DATETIME,
    PRIMARY KEY (SHCMCD, SHBUUT, SHDATE, SHPOID, SHNUMB)
);

CREATE TABLE IF NOT EXISTS F4101 (            -- delivery sale lines
    SDCMCD TEXT NOT NULL,
    SDBUUT TEXT NOT NULL,
    SDDATE TEXT NOT NULL,
    SDPOID TEXT NOT NULL,
    SDNUMB INTEGER NOT NULL,
    SDSEQ INTEGER NOT NULL,
    SDITNB TEXT NOT NULL DEFAULT '',
    SDQTY REAL NOT NULL DEFAULT 0,
    SDUPRC INTEGER NOT NULL DEFAULT 0,
    SDAMT INTEGER NOT NULL DEFAULT 0,
    SDLADT DATETIME,
    PRIMARY KEY (SDCMCD, SDBUUT, SDDATE, SDPOID, SDNUMB, SDSEQ),
    FOREIGN KEY (SDCMCD, SDBUUT, SDDATE, SDPOID, SDNUMB) REFERENCES F4100 (SHCMCD, SHBUUT, SHDATE, SHPOID, SHNUMB) ON DELETE CASCADE
);

CREATE TABLE IF NOT EXISTS F4104 (            -- delivery bookings
    OBCMCD TEXT NOT NULL,
    OBBUUT TEXT NOT NULL,
    OBNUMB INTEGER NOT NULL,
    OBJUPE TEXT NOT NULL DEFAULT '',     -- orderer
    OBJBDT TEXT NOT NULL DEFAULT '',
    OBYEDT TEXT NOT NULL DEFAULT '',     -- reservation day
    OBRPER TEXT NOT NULL DEFAULT '',     -- receiver
    OBJUMB TEXT NOT NULL DEFAULT '',     -- phone
    OBBIGO TEXT NOT NULL DEFAULT '',
    OBSHDATE TEXT NOT NULL DEFAULT '',   -- the sale it belongs to
    OBSHPOID TEXT NOT NULL DEFAULT '',
    OBSHNUMB INTEGER,
    OBLADT DATETIME,
    PRIMARY KEY (OBCMCD, OBBUUT, OBNUMB)
);

CREATE INDEX IF NOT EXISTS F4104_DELIVERY ON F4104 (OBCMCD, OBBUUT, OBYEDT);
