-- Stock movements gain production. Quantities stay in the item's base unit;
-- a line in the item's pack unit (its IMMDAN, when that differs from the
-- base unit IMLDAN) counts its stored factor, else the item's IMMCAL.
--   PROD   what a production line produced (+RDQTY) on the production's day;
--   PLOSS  what it lost (RDLQTY): information only, it never entered stock,
--          so stock on hand leaves these rows out;
--   USE    the ingredients taken out (-): for every ingredient line of the
--          product's recipe (F0231, MDPAKY <> 0) of the producing store,
--          (RDQTY + RDLQTY) / MHPQTY x MDWGHT of the ingredient MDMTNB, a
--          recipe line in the ingredient's pack unit counting the
--          ingredient's IMMCAL. Semi-products used as ingredients count too.
-- Opening balances, receipts, releases and stock-outs as before.

DROP VIEW IF EXISTS V_STOCKMOVE;
DROP VIEW IF EXISTS V_PRODUCTION_LINE;

-- Every production line with what it made and lost in base units.
CREATE VIEW V_PRODUCTION_LINE AS
SELECT cmcd, buut, itnb, day, qty * factor AS made, loss * factor AS lost FROM (
  SELECT d.RDCMCD AS cmcd, d.RDBUUT AS buut, d.RDITNB AS itnb, h.RHDATE AS day, d.RDQTY AS qty, d.RDLQTY AS loss,
         CASE WHEN d.RDUNIT <> '' AND d.RDUNIT = COALESCE(NULLIF(d.RDMDAN, ''), i.IMMDAN)
               AND d.RDUNIT <> COALESCE(NULLIF(d.RDLDAN, ''), i.IMLDAN)
              THEN COALESCE(NULLIF(d.RDMCAL, 0), i.IMMCAL, 1) ELSE 1 END AS factor
    FROM F3301 d
    JOIN F3300 h ON h.RHCMCD = d.RDCMCD AND h.RHBUUT = d.RDBUUT AND h.RHMONTH = d.RDMONTH AND h.RHNUMB = d.RDNUMB
    LEFT JOIN F0200 i ON i.IMCMCD = d.RDCMCD AND i.IMBUUT = d.RDBUUT AND i.IMITNB = d.RDITNB
);

CREATE VIEW V_STOCKMOVE AS
  SELECT SKCMCD AS cmcd, SKBUUT AS buut, SKITNB AS itnb, SKDATE AS day, 'OPEN' AS kind, SKQTY AS qty
    FROM F3400
  UNION ALL
  SELECT d.WDCMCD, d.WDBUUT, d.WDITNB, h.WHDATE, 'IN',
         d.WDQTY * (CASE WHEN d.WDUNIT <> '' AND d.WDUNIT = COALESCE(NULLIF(d.WDMDAN, ''), i.IMMDAN)
                          AND d.WDUNIT <> COALESCE(NULLIF(d.WDLDAN, ''), i.IMLDAN)
                         THEN COALESCE(NULLIF(d.WDMCAL, 0), i.IMMCAL, 1) ELSE 1 END)
    FROM F3101 d
    JOIN F3100 h ON h.WHCMCD = d.WDCMCD AND h.WHBUUT = d.WDBUUT AND h.WHMONTH = d.WDMONTH AND h.WHNUMB = d.WDNUMB
    LEFT JOIN F0200 i ON i.IMCMCD = d.WDCMCD AND i.IMBUUT = d.WDBUUT AND i.IMITNB = d.WDITNB
  UNION ALL
  SELECT d.DDCMCD, d.DDBUUT, d.DDITNB, h.DHDATE, CASE WHEN h.DHCHTY = '005' THEN 'DISC' ELSE 'OUT' END,
         -d.DDQTY * (CASE WHEN d.DDUNIT <> '' AND d.DDUNIT = COALESCE(NULLIF(d.DDMDAN, ''), i.IMMDAN)
                           AND d.DDUNIT <> COALESCE(NULLIF(d.DDLDAN, ''), i.IMLDAN)
                          THEN COALESCE(NULLIF(d.DDMCAL, 0), i.IMMCAL, 1) ELSE 1 END)
    FROM F3201 d
    JOIN F3200 h ON h.DHCMCD = d.DDCMCD AND h.DHBUUT = d.DDBUUT AND h.DHMONTH = d.DDMONTH AND h.DHNUMB = d.DDNUMB
    LEFT JOIN F0200 i ON i.IMCMCD = d.DDCMCD AND i.IMBUUT = d.DDBUUT AND i.IMITNB = d.DDITNB
    WHERE h.DHCHTY IN ('001', '003', '004', '005', '010')
  UNION ALL
  SELECT cmcd, buut, itnb, day, 'PROD', made FROM V_PRODUCTION_LINE
  UNION ALL
  SELECT cmcd, buut, itnb, day, 'PLOSS', lost FROM V_PRODUCTION_LINE
  UNION ALL
  SELECT p.cmcd, p.buut, r.MDMTNB, p.day, 'USE',
         -(p.made + p.lost) / m.MHPQTY * r.MDWGHT
         * (CASE WHEN r.MDUNIT <> '' AND r.MDUNIT = g.IMMDAN AND r.MDUNIT <> g.IMLDAN
                 THEN COALESCE(NULLIF(g.IMMCAL, 0), 1) ELSE 1 END)
    FROM V_PRODUCTION_LINE p
    JOIN F0230 m ON m.MHCMCD = p.cmcd AND m.MHBUUT = p.buut AND m.MHITNB = p.itnb
    JOIN F0231 r ON r.MDCMCD = m.MHCMCD AND r.MDBUUT = m.MHBUUT AND r.MDITNB = m.MHITNB
    LEFT JOIN F0200 g ON g.IMCMCD = r.MDCMCD AND g.IMBUUT = r.MDBUUT AND g.IMITNB = r.MDMTNB
    WHERE r.MDPAKY <> 0 AND r.MDMTNB <> '' AND m.MHPQTY > 0;
