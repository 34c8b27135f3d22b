-- The release state of received orders, derived from the release lines that
-- resolve to a received-order line. Quantities released are converted to the
-- order line's unit through base units, each side with the factor it was
-- stored with (a pack unit counts its factor, any other unit 1).
--   V_SO_LINE_STATE: per received-order line the quantity released, the
--     remainder (0 once the order is force-closed) and the line status.
--   V_SO_STATE: per received order the header status and whether it is still
--     open (not force-closed, some line with a remainder).

CREATE VIEW IF NOT EXISTS V_SO_LINE_STATE AS
WITH gone AS (
    SELECT r.DDCMCD AS cmcd, r.DDBUUT AS buut, r.DDRFMONTH AS month, r.DDRFNUMB AS numb, r.DDRFSEQ AS seq,
           SUM(r.DDQTY * CASE WHEN r.DDUNIT <> '' AND r.DDUNIT = r.DDMDAN AND r.DDUNIT <> r.DDLDAN AND r.DDMCAL > 0
                              THEN r.DDMCAL ELSE 1 END) AS baseqty
    FROM F3201 r
    WHERE r.DDRFNUMB IS NOT NULL
    GROUP BY r.DDCMCD, r.DDBUUT, r.DDRFMONTH, r.DDRFNUMB, r.DDRFSEQ
), l AS (
    SELECT d.ODCMCD AS cmcd, d.ODBUUT AS buut, d.ODMONTH AS month, d.ODNUMB AS numb, d.ODSEQ AS seq,
           d.ODQTY AS qty, h.OHEDFL AS closed,
           -- Quantities carry four decimals; rounding the converted sum keeps
           -- binary float error (0.7 + 0.1 < 0.8) from leaving a line open.
           ROUND(COALESCE(g.baseqty, 0)
                 / CASE WHEN d.ODUNIT <> '' AND d.ODUNIT = d.ODMDAN AND d.ODUNIT <> d.ODLDAN AND d.ODMCAL > 0
                        THEN d.ODMCAL ELSE 1 END, 4) AS released
    FROM F2401 d
    JOIN F2400 h ON h.OHCMCD = d.ODCMCD AND h.OHBUUT = d.ODBUUT AND h.OHMONTH = d.ODMONTH AND h.OHNUMB = d.ODNUMB
    LEFT JOIN gone g ON g.cmcd = d.ODCMCD AND g.buut = d.ODBUUT AND g.month = d.ODMONTH AND g.numb = d.ODNUMB
                    AND g.seq = d.ODSEQ
)
SELECT cmcd, buut, month, numb, seq, released,
       CASE WHEN closed THEN 0 ELSE MAX(0, qty - released) END AS remainder,
       CASE WHEN released >= qty AND released > 0 THEN '출고완료'
            WHEN closed THEN '강제완료'
            WHEN released > 0 THEN '부분출고'
            ELSE '수주' END AS status
FROM l;

CREATE VIEW IF NOT EXISTS V_SO_STATE AS
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
