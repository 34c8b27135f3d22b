-- The receipt state of purchase-order lines and the release state of
-- received-order lines, worked out per line. The views so far totalled every
-- receipt (release) line of every store in a grouped table and joined it to
-- the order lines, so each call that read the state of one order, or of the
-- lines of a few days, paid for all of them. Now each order line looks up
-- the lines that resolve to it through an index on the reference, and a query
-- on one order or a date range reads only what it shows. Columns and results
-- are those of the views they replace:
--   V_PO_LINE_STATE: per order line the quantity received (converted to the
--     line's unit, rounded to four decimals), the remainder (0 once the order
--     is force-closed), the line status and the last receipt naming the line;
--   V_PO_STATE: per order the header status;
--   V_SO_LINE_STATE: per received-order line the quantity released, the
--     remainder and the line status;
--   V_SO_STATE: per received order the header status and whether it is still
--     open (not force-closed, some line with a remainder).

DROP VIEW IF EXISTS V_PO_STATE;
DROP VIEW IF EXISTS V_PO_LINE_STATE;
DROP VIEW IF EXISTS V_SO_STATE;
DROP VIEW IF EXISTS V_SO_LINE_STATE;

-- The receipt and release lines by the order line they resolve to.
CREATE INDEX IF NOT EXISTS F3101_RFLINE ON F3101 (WDRFNUMB, WDRFSEQ, WDRFMONTH, WDCMCD, WDBUUT);
CREATE INDEX IF NOT EXISTS F3201_RFLINE ON F3201 (DDRFNUMB, DDRFSEQ, DDRFMONTH, DDCMCD, DDBUUT);

CREATE VIEW V_PO_LINE_STATE AS
SELECT cmcd, buut, month, numb, seq, received,
       CASE WHEN closed THEN 0 ELSE MAX(0, qty - received) END AS remainder,
       CASE WHEN received >= qty AND received > 0 THEN '입고완료'
            WHEN closed THEN '강제완료'
            WHEN received > 0 THEN '부분입고'
            ELSE '발주' END AS status,
       lastreceipt
FROM (
    SELECT d.PDCMCD AS cmcd, d.PDBUUT AS buut, d.PDMONTH AS month, d.PDNUMB AS numb, d.PDSEQ AS seq,
           d.PDQTY AS qty, h.PHEDFL AS closed,
           -- Quantities carry four decimals; rounding the converted sum keeps
           -- binary float error (0.7 + 0.1 < 0.8) from leaving a line open.
           ROUND(COALESCE((SELECT SUM(w.WDQTY * CASE WHEN w.WDUNIT <> '' AND w.WDUNIT = w.WDMDAN
                                                      AND w.WDUNIT <> w.WDLDAN AND w.WDMCAL > 0
                                                     THEN w.WDMCAL ELSE 1 END)
                           FROM F3101 w
                           WHERE w.WDRFNUMB = d.PDNUMB AND w.WDRFSEQ = d.PDSEQ AND w.WDRFMONTH = d.PDMONTH
                             AND w.WDCMCD = d.PDCMCD AND w.WDBUUT = d.PDBUUT), 0)
                 / CASE WHEN d.PDUNIT <> '' AND d.PDUNIT = d.PDMDAN AND d.PDUNIT <> d.PDLDAN AND d.PDMCAL > 0
                        THEN d.PDMCAL ELSE 1 END, 4) AS received,
           COALESCE((SELECT MAX(w.WDMONTH || '-' || printf('%05d', w.WDNUMB))
                     FROM F3101 w
                     WHERE w.WDRFNUMB = d.PDNUMB AND w.WDRFSEQ = d.PDSEQ AND w.WDRFMONTH = d.PDMONTH
                       AND w.WDCMCD = d.PDCMCD AND w.WDBUUT = d.PDBUUT), '') AS lastreceipt
    FROM F2101 d
    JOIN F2100 h ON h.PHCMCD = d.PDCMCD AND h.PHBUUT = d.PDBUUT AND h.PHMONTH = d.PDMONTH AND h.PHNUMB = d.PDNUMB
);

CREATE VIEW V_PO_STATE AS
SELECT h.PHCMCD AS cmcd, h.PHBUUT AS buut, h.PHMONTH AS month, h.PHNUMB AS numb,
       CASE WHEN h.PHEDFL OR NOT EXISTS (SELECT 1 FROM V_PO_LINE_STATE s WHERE s.cmcd = h.PHCMCD AND s.buut = h.PHBUUT
                                          AND s.month = h.PHMONTH AND s.numb = h.PHNUMB AND s.status <> '입고완료')
                           AND EXISTS (SELECT 1 FROM F2101 d WHERE d.PDCMCD = h.PHCMCD AND d.PDBUUT = h.PHBUUT
                                          AND d.PDMONTH = h.PHMONTH AND d.PDNUMB = h.PHNUMB)
            THEN '입고완료'
            WHEN EXISTS (SELECT 1 FROM V_PO_LINE_STATE s WHERE s.cmcd = h.PHCMCD AND s.buut = h.PHBUUT
                          AND s.month = h.PHMONTH AND s.numb = h.PHNUMB AND s.received > 0)
            THEN '부분입고'
            ELSE '발주' END AS status
FROM F2100 h;

CREATE VIEW V_SO_LINE_STATE AS
SELECT cmcd, buut, month, numb, seq, released,
       CASE WHEN closed THEN 0 ELSE MAX(0, qty - released) END AS remainder,
       CASE WHEN released >= qty AND released > 0 THEN '출고완료'
            WHEN closed THEN '강제완료'
            WHEN released > 0 THEN '부분출고'
            ELSE '수주' END AS status
FROM (
    SELECT d.ODCMCD AS cmcd, d.ODBUUT AS buut, d.ODMONTH AS month, d.ODNUMB AS numb, d.ODSEQ AS seq,
           d.ODQTY AS qty, h.OHEDFL AS closed,
           ROUND(COALESCE((SELECT SUM(r.DDQTY * CASE WHEN r.DDUNIT <> '' AND r.DDUNIT = r.DDMDAN
                                                      AND r.DDUNIT <> r.DDLDAN AND r.DDMCAL > 0
                                                     THEN r.DDMCAL ELSE 1 END)
                           FROM F3201 r
                           WHERE r.DDRFNUMB = d.ODNUMB AND r.DDRFSEQ = d.ODSEQ AND r.DDRFMONTH = d.ODMONTH
                             AND r.DDCMCD = d.ODCMCD AND r.DDBUUT = d.ODBUUT), 0)
                 / CASE WHEN d.ODUNIT <> '' AND d.ODUNIT = d.ODMDAN AND d.ODUNIT <> d.ODLDAN AND d.ODMCAL > 0
                        THEN d.ODMCAL ELSE 1 END, 4) AS released
    FROM F2401 d
    JOIN F2400 h ON h.OHCMCD = d.ODCMCD AND h.OHBUUT = d.ODBUUT AND h.OHMONTH = d.ODMONTH AND h.OHNUMB = d.ODNUMB
);

CREATE VIEW V_SO_STATE AS
SELECT h.OHCMCD AS cmcd, h.OHBUUT AS buut, h.OHMONTH AS month, h.OHNUMB AS numb,
       CASE WHEN h.OHEDFL OR NOT EXISTS (SELECT 1 FROM V_SO_LINE_STATE s WHERE s.cmcd = h.OHCMCD AND s.buut = h.OHBUUT
                                          AND s.month = h.OHMONTH AND s.numb = h.OHNUMB AND s.status <> '출고완료')
                           AND EXISTS (SELECT 1 FROM F2401 d WHERE d.ODCMCD = h.OHCMCD AND d.ODBUUT = h.OHBUUT
                                          AND d.ODMONTH = h.OHMONTH AND d.ODNUMB = h.OHNUMB)
            THEN '출고완료'
            WHEN EXISTS (SELECT 1 FROM V_SO_LINE_STATE s WHERE s.cmcd = h.OHCMCD AND s.buut = h.OHBUUT
                          AND s.month = h.OHMONTH AND s.numb = h.OHNUMB AND s.released > 0)
            THEN '부분출고'
            ELSE '수주' END AS status,
       (NOT h.OHEDFL AND EXISTS (SELECT 1 FROM V_SO_LINE_STATE s WHERE s.cmcd = h.OHCMCD AND s.buut = h.OHBUUT
                                  AND s.month = h.OHMONTH AND s.numb = h.OHNUMB AND s.remainder > 0)) AS open
FROM F2400 h;
