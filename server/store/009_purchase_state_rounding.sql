-- The receipt state of purchase orders, as before, with the quantity
-- received rounded to the four decimals quantities carry: a line received in
-- parts that add up to its quantity is complete, not left open by float error.

DROP VIEW IF EXISTS V_PO_STATE;
DROP VIEW IF EXISTS V_PO_LINE_STATE;

CREATE VIEW V_PO_LINE_STATE AS
WITH got AS (
    SELECT w.WDCMCD AS cmcd, w.WDBUUT AS buut, w.WDRFMONTH AS month, w.WDRFNUMB AS numb, w.WDRFSEQ AS seq,
           SUM(w.WDQTY * CASE WHEN w.WDUNIT <> '' AND w.WDUNIT = w.WDMDAN AND w.WDUNIT <> w.WDLDAN AND w.WDMCAL > 0
                              THEN w.WDMCAL ELSE 1 END) AS baseqty,
           MAX(w.WDMONTH || '-' || printf('%05d', w.WDNUMB)) AS lastreceipt
    FROM F3101 w
    WHERE w.WDRFNUMB IS NOT NULL
    GROUP BY w.WDCMCD, w.WDBUUT, w.WDRFMONTH, w.WDRFNUMB, w.WDRFSEQ
), l AS (
    SELECT d.PDCMCD AS cmcd, d.PDBUUT AS buut, d.PDMONTH AS month, d.PDNUMB AS numb, d.PDSEQ AS seq,
           d.PDQTY AS qty, h.PHEDFL AS closed, g.lastreceipt AS lastreceipt,
           -- Quantities carry four decimals; rounding the converted sum keeps
           -- binary float error (0.7 + 0.1 < 0.8) from leaving a line open.
           ROUND(COALESCE(g.baseqty, 0)
                 / CASE WHEN d.PDUNIT <> '' AND d.PDUNIT = d.PDMDAN AND d.PDUNIT <> d.PDLDAN AND d.PDMCAL > 0
                        THEN d.PDMCAL ELSE 1 END, 4) AS received
    FROM F2101 d
    JOIN F2100 h ON h.PHCMCD = d.PDCMCD AND h.PHBUUT = d.PDBUUT AND h.PHMONTH = d.PDMONTH AND h.PHNUMB = d.PDNUMB
    LEFT JOIN got g ON g.cmcd = d.PDCMCD AND g.buut = d.PDBUUT AND g.month = d.PDMONTH AND g.numb = d.PDNUMB
                   AND g.seq = d.PDSEQ
)
SELECT cmcd, buut, month, numb, seq, received,
       CASE WHEN closed THEN 0 ELSE MAX(0, qty - received) END AS remainder,
       CASE WHEN received >= qty AND received > 0 THEN '입고완료'
            WHEN closed THEN '강제완료'
            WHEN received > 0 THEN '부분입고'
            ELSE '발주' END AS status,
       COALESCE(lastreceipt, '') AS lastreceipt
FROM l;

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
