-- Demo stock of the other business units of company 9999, so the branch
-- stock status shows columns that differ. T = the seeding day.
--   opening balances of the products and semi-products at 0001, 0003 and
--   0004 on the first day of the previous month (store 9999's stand in
--   seed_demo_21_documents.sql, which deletes every opening balance of the
--   company first);
--   receipt #61 (T-6) at 가맹1호 0003 from the head office: 우유식빵 12 EA,
--   커스터드크림 500 G;
--   release "001" #61 (T-6) at 직영2호 0004 to 가맹1호: 단팥빵 15 EA,
--   생크림케이크 4 EA, 식빵반죽 1 KG (1,000 G).
-- Each document lives under the month of its own date. Only these rows are
-- deleted here.

CREATE TEMP TABLE seed_branch_open (buut TEXT, itnb TEXT, qty REAL);
INSERT INTO seed_branch_open VALUES
  ('0001', '100001', 200), ('0001', '100002', 300), ('0001', '100003', 150), ('0001', '100004', 120),
  ('0001', '100005', 50), ('0001', '100006', 40), ('0001', '300001', 20000), ('0001', '300002', 8000),
  ('0003', '100001', 30), ('0003', '100002', 60), ('0003', '100003', 20), ('0003', '100004', 40),
  ('0003', '100005', 10), ('0003', '100006', 70), ('0003', '300001', 3000), ('0003', '300002', 1000),
  ('0004', '100001', 80), ('0004', '100002', 90), ('0004', '100003', 50), ('0004', '100004', 110),
  ('0004', '100005', 20), ('0004', '100006', 30), ('0004', '300001', 5000), ('0004', '300002', 2000);

DELETE FROM F3400 WHERE SKCMCD = '9999' AND SKBUUT IN ('0001', '0003', '0004')
  AND SKDATE = strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month');
INSERT INTO F3400 (SKCMCD, SKBUUT, SKITNB, SKDATE, SKQTY, SKUPRC, SKLADT)
  SELECT '9999', o.buut, o.itnb, strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month'), o.qty,
         COALESCE((SELECT IMPRC2 FROM F0200 WHERE IMCMCD = '9999' AND IMBUUT = o.buut AND IMITNB = o.itnb), 0),
         datetime('now', 'localtime')
  FROM seed_branch_open o;
DROP TABLE seed_branch_open;

CREATE TEMP TABLE seed_branch_doc (kind TEXT, buut TEXT, day TEXT, month TEXT);
INSERT INTO seed_branch_doc VALUES
  ('receipt', '0003', strftime('%Y%m%d', 'now', 'localtime', '-6 day'), strftime('%Y%m', 'now', 'localtime', '-6 day')),
  ('release', '0004', strftime('%Y%m%d', 'now', 'localtime', '-6 day'), strftime('%Y%m', 'now', 'localtime', '-6 day'));

-- Lines in the unit written (KG is the pack unit of 식빵반죽: 1,000 G), at the
-- unit's transfer price of that unit.
CREATE TEMP TABLE seed_branch_line AS
  SELECT l.kind, l.seq, l.itnb, l.unit, l.qty,
         CAST(i.IMPRC2 * CASE WHEN l.unit = i.IMMDAN AND l.unit <> i.IMLDAN THEN i.IMMCAL ELSE 1 END AS INTEGER) AS uprc,
         i.IMBDAN AS bdan, i.IMMDAN AS mdan, i.IMLDAN AS ldan, i.IMMCAL AS mcal
  FROM (SELECT 'receipt' AS kind, 1 AS seq, '100001' AS itnb, 'EA' AS unit, 12 AS qty
        UNION ALL SELECT 'receipt', 2, '300002', 'G', 500
        UNION ALL SELECT 'release', 1, '100002', 'EA', 15
        UNION ALL SELECT 'release', 2, '100005', 'EA', 4
        UNION ALL SELECT 'release', 3, '300001', 'KG', 1) l
  JOIN seed_branch_doc d ON d.kind = l.kind
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = d.buut AND i.IMITNB = l.itnb;

DELETE FROM F3101 WHERE WDCMCD = '9999' AND WDBUUT = '0003' AND WDNUMB = 61
  AND WDMONTH = (SELECT month FROM seed_branch_doc WHERE kind = 'receipt');
DELETE FROM F3100 WHERE WHCMCD = '9999' AND WHBUUT = '0003' AND WHNUMB = 61
  AND WHMONTH = (SELECT month FROM seed_branch_doc WHERE kind = 'receipt');
DELETE FROM F3201 WHERE DDCMCD = '9999' AND DDBUUT = '0004' AND DDNUMB = 61
  AND DDMONTH = (SELECT month FROM seed_branch_doc WHERE kind = 'release');
DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHBUUT = '0004' AND DHNUMB = 61
  AND DHMONTH = (SELECT month FROM seed_branch_doc WHERE kind = 'release');

-- Both documents tax kind 1 (VAT included): supply = amount x 10 / 11, truncated.
INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHYEAR, WHDATE, WHADNB, WHIBTY, WHCPSEQ, WHBIGO, WHPOID, WHTXGU,
                   WHKSGU, WHWORK, WHPGID, WHLADT)
  SELECT '9999', buut, month, 61, substr(day, 1, 4), day, '0001', '001', 0, '2', '01', '1', '001', '', 'F10021_Warehouse',
         datetime('now', 'localtime')
  FROM seed_branch_doc WHERE kind = 'receipt';
INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDUPRC, WDAMT, WDGAMT, WDTAX,
                   WDBDAN, WDMDAN, WDLDAN, WDMCAL, WDBAQTY, WDEDFLYN, WDWORK, WDPGID, WDLADT)
  SELECT '9999', d.buut, d.month, 61, l.seq, l.itnb, l.unit, l.qty, l.uprc, CAST(l.qty * l.uprc AS INTEGER),
         CAST(l.qty * l.uprc AS INTEGER) * 10 / 11, CAST(l.qty * l.uprc AS INTEGER) - CAST(l.qty * l.uprc AS INTEGER) * 10 / 11,
         l.bdan, l.mdan, l.ldan, l.mcal, l.qty, '2', '', 'F10021_Warehouse', datetime('now', 'localtime')
  FROM seed_branch_line l JOIN seed_branch_doc d ON d.kind = l.kind WHERE l.kind = 'receipt';

INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHYEAR, DHDATE, DHADNB, DHCHTY, DHKSGU, DHTXGU, DHGAMT, DHTAX,
                   DHAMT, DHPOID, DHPDFL, DHKENUMB, DHKMNUMB, DHWORK, DHPGID, DHLADT)
  SELECT '9999', buut, month, 61, substr(day, 1, 4), day, '0003', '001', '001', '1',
         (SELECT SUM(CAST(qty * uprc AS INTEGER) * 10 / 11) FROM seed_branch_line WHERE kind = 'release'),
         (SELECT SUM(CAST(qty * uprc AS INTEGER) - CAST(qty * uprc AS INTEGER) * 10 / 11) FROM seed_branch_line
          WHERE kind = 'release'),
         (SELECT SUM(CAST(qty * uprc AS INTEGER)) FROM seed_branch_line WHERE kind = 'release'), '01', 0, 0, 0, '',
         'F10051_deliver', datetime('now', 'localtime')
  FROM seed_branch_doc WHERE kind = 'release';
INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY, DDUPRC, DDAMT, DDGAMT, DDTAX,
                   DDBDAN, DDMDAN, DDLDAN, DDMCAL, DDIBNUMB, DDIBSEQ, DDSUMONTH, DDSUNUMB, DDSUSEQ, DDTXGU, DDEDFLYN,
                   DDWORK, DDPGID, DDLADT)
  SELECT '9999', d.buut, d.month, 61, l.seq, l.itnb, l.unit, l.qty, l.uprc, CAST(l.qty * l.uprc AS INTEGER),
         CAST(l.qty * l.uprc AS INTEGER) * 10 / 11, CAST(l.qty * l.uprc AS INTEGER) - CAST(l.qty * l.uprc AS INTEGER) * 10 / 11,
         l.bdan, l.mdan, l.ldan, l.mcal, 0, 0, '', 0, 0, '1', '2', '', 'F10051_deliver', datetime('now', 'localtime')
  FROM seed_branch_line l JOIN seed_branch_doc d ON d.kind = l.kind WHERE l.kind = 'release';

-- The counters of the months these documents fall in.
INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', buut, CASE kind WHEN 'receipt' THEN 11 ELSE 13 END, month, 61 FROM seed_branch_doc WHERE true
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_branch_line;
DROP TABLE seed_branch_doc;
