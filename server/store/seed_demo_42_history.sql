-- Demo documents of store 9999 (company 9999) for the document history, so
-- every page of it lists something beyond the last days. T = the seeding day;
-- each document lives under the month of its own date and is numbered 60 in
-- it. The two orders are closed, so the open lists of the order, receipt and
-- release screens stay as they were.
--   order #60 (T-6) to 데모포장 40000002, tax kind 2, force-closed: one line of each item type
--   received order #60 (T-6) from 카페데모 20000001, tax kind 1, force-closed: one line of each item type
--   receipt #60 (the previous month, day 10) from 데모제분 40000001, tax kind 3: 설탕, 팥앙금
--   release "001" #60 (the previous month, day 12) to 카페데모, tax kind 1: 단팥빵, 생수500ml
-- Prices are the items' transfer prices. Only these rows are deleted here.

CREATE TEMP TABLE seed_history (kind TEXT, day TEXT);
INSERT INTO seed_history VALUES
  ('order', strftime('%Y%m%d', 'now', 'localtime', '-6 day')),
  ('sales', strftime('%Y%m%d', 'now', 'localtime', '-6 day')),
  ('receipt', strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+9 day')),
  ('release', strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+11 day'));

CREATE TEMP TABLE seed_history_line (kind TEXT, seq INTEGER, itnb TEXT, qty REAL);
INSERT INTO seed_history_line VALUES
  ('order', 1, '100002', 10), ('order', 2, '300002', 2000), ('order', 3, '200002', 24), ('order', 4, '500003', 900),
  ('order', 5, '600001', 10),
  ('sales', 1, '100001', 5), ('sales', 2, '300001', 1000), ('sales', 3, '200001', 12), ('sales', 4, '500002', 2000),
  ('sales', 5, '600002', 20),
  ('receipt', 1, '500002', 5000), ('receipt', 2, '500006', 2000),
  ('release', 1, '100002', 3), ('release', 2, '200001', 6);

CREATE TEMP VIEW seed_history_key AS
  SELECT kind, substr(day, 1, 6) AS month, 60 AS numb FROM seed_history;

DELETE FROM F2101 WHERE PDCMCD = '9999' AND PDBUUT = '9999'
  AND PDMONTH = (SELECT month FROM seed_history_key WHERE kind = 'order') AND PDNUMB = 60;
DELETE FROM F2100 WHERE PHCMCD = '9999' AND PHBUUT = '9999'
  AND PHMONTH = (SELECT month FROM seed_history_key WHERE kind = 'order') AND PHNUMB = 60;
DELETE FROM F2401 WHERE ODCMCD = '9999' AND ODBUUT = '9999'
  AND ODMONTH = (SELECT month FROM seed_history_key WHERE kind = 'sales') AND ODNUMB = 60;
DELETE FROM F2400 WHERE OHCMCD = '9999' AND OHBUUT = '9999'
  AND OHMONTH = (SELECT month FROM seed_history_key WHERE kind = 'sales') AND OHNUMB = 60;
DELETE FROM F3101 WHERE WDCMCD = '9999' AND WDBUUT = '9999'
  AND WDMONTH = (SELECT month FROM seed_history_key WHERE kind = 'receipt') AND WDNUMB = 60;
DELETE FROM F3100 WHERE WHCMCD = '9999' AND WHBUUT = '9999'
  AND WHMONTH = (SELECT month FROM seed_history_key WHERE kind = 'receipt') AND WHNUMB = 60;
DELETE FROM F3201 WHERE DDCMCD = '9999' AND DDBUUT = '9999'
  AND DDMONTH = (SELECT month FROM seed_history_key WHERE kind = 'release') AND DDNUMB = 60;
DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHBUUT = '9999'
  AND DHMONTH = (SELECT month FROM seed_history_key WHERE kind = 'release') AND DHNUMB = 60;

-- Each line in the item's base unit at its transfer price; supply and VAT by
-- the document's tax kind: 1 VAT included, 2 VAT on top, 3 no VAT.
CREATE TEMP TABLE seed_history_amount AS
  SELECT l.kind, l.seq, l.itnb, l.qty, i.IMLDAN AS unit, i.IMPRC2 AS uprc, CAST(l.qty * i.IMPRC2 AS INTEGER) AS amt,
         i.IMBDAN AS bdan, i.IMMDAN AS mdan, i.IMLDAN AS ldan, i.IMMCAL AS mcal,
         CASE l.kind WHEN 'order' THEN '2' WHEN 'receipt' THEN '3' ELSE '1' END AS txgu
  FROM seed_history_line l
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = l.itnb;
ALTER TABLE seed_history_amount ADD COLUMN gamt INTEGER;
ALTER TABLE seed_history_amount ADD COLUMN tax INTEGER;
UPDATE seed_history_amount SET
  gamt = CASE txgu WHEN '1' THEN amt * 10 / 11 ELSE amt END,
  tax = CASE txgu WHEN '1' THEN amt - amt * 10 / 11 WHEN '2' THEN amt / 10 ELSE 0 END;

INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHYEAR, PHDATE, PHADNB, PHSEME, PHNYDT, PHUAMT, PHADNUMB, PHPOID,
                   PHEDFL, PHTXGU, PHWORK, PHPGID, PHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), 60, substr(day, 1, 4), day, '40000002', '001',
         strftime('%Y%m%d', 'now', 'localtime', '-5 day'),
         (SELECT SUM(amt) FROM seed_history_amount WHERE kind = 'order'), 4, '99', 1, '2', '90000001',
         'F652_RegOrder', datetime('now', 'localtime')
  FROM seed_history WHERE kind = 'order';
INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY, PDUPRC, PDAMT, PDGAMT, PDTAX,
                   PDBDAN, PDMDAN, PDLDAN, PDMCAL, PDWORK, PDPGID, PDLADT)
  SELECT '9999', '9999', k.month, 60, a.seq, a.itnb, a.unit, a.qty, a.uprc, a.amt, a.gamt, a.tax, a.bdan, a.mdan,
         a.ldan, a.mcal, '90000001', 'F652_RegOrder', datetime('now', 'localtime')
  FROM seed_history_amount a JOIN seed_history_key k ON k.kind = a.kind WHERE a.kind = 'order';

INSERT INTO F2400 (OHCMCD, OHBUUT, OHMONTH, OHNUMB, OHYEAR, OHDATE, OHADNB, OHNYDT, OHTXGU, OHEDFL, OHPOID, OHWORK,
                   OHPGID, OHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), 60, substr(day, 1, 4), day, '20000001',
         strftime('%Y%m%d', 'now', 'localtime', '-5 day'), '1', 1, '99', '90000001', 'F10051_deliver',
         datetime('now', 'localtime')
  FROM seed_history WHERE kind = 'sales';
INSERT INTO F2401 (ODCMCD, ODBUUT, ODMONTH, ODNUMB, ODSEQ, ODITNB, ODUNIT, ODQTY, ODUPRC, ODAMT, ODGAMT, ODTAX,
                   ODBDAN, ODMDAN, ODLDAN, ODMCAL, ODLADT)
  SELECT '9999', '9999', k.month, 60, a.seq, a.itnb, a.unit, a.qty, a.uprc, a.amt, a.gamt, a.tax, a.bdan, a.mdan,
         a.ldan, a.mcal, datetime('now', 'localtime')
  FROM seed_history_amount a JOIN seed_history_key k ON k.kind = a.kind WHERE a.kind = 'sales';

INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHYEAR, WHDATE, WHADNB, WHIBTY, WHCPSEQ, WHBIGO, WHPOID, WHTXGU,
                   WHKSGU, WHWORK, WHPGID, WHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), 60, substr(day, 1, 4), day, '40000001', '003', 0, '2', '99', '3', '001',
         '90000001', 'F10021_Warehouse', datetime('now', 'localtime')
  FROM seed_history WHERE kind = 'receipt';
INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDUPRC, WDAMT, WDGAMT, WDTAX,
                   WDBDAN, WDMDAN, WDLDAN, WDMCAL, WDBAQTY, WDEDFLYN, WDWORK, WDPGID, WDLADT)
  SELECT '9999', '9999', k.month, 60, a.seq, a.itnb, a.unit, a.qty, a.uprc, a.amt, a.gamt, a.tax, a.bdan, a.mdan,
         a.ldan, a.mcal, a.qty, '2', '90000001', 'F10021_Warehouse', datetime('now', 'localtime')
  FROM seed_history_amount a JOIN seed_history_key k ON k.kind = a.kind WHERE a.kind = 'receipt';

INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHYEAR, DHDATE, DHADNB, DHCHTY, DHKSGU, DHTXGU, DHGAMT, DHTAX,
                   DHAMT, DHPOID, DHPDFL, DHKENUMB, DHKMNUMB, DHWORK, DHPGID, DHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), 60, substr(day, 1, 4), day, '20000001', '001', '001', '1',
         (SELECT SUM(gamt) FROM seed_history_amount WHERE kind = 'release'),
         (SELECT SUM(tax) FROM seed_history_amount WHERE kind = 'release'),
         (SELECT SUM(amt) FROM seed_history_amount WHERE kind = 'release'), '99', 0, 0, 0, '90000001',
         'F10051_deliver', datetime('now', 'localtime')
  FROM seed_history WHERE kind = 'release';
INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY, DDUPRC, DDAMT, DDGAMT, DDTAX,
                   DDBDAN, DDMDAN, DDLDAN, DDMCAL, DDIBNUMB, DDIBSEQ, DDSUMONTH, DDSUNUMB, DDSUSEQ, DDTXGU, DDEDFLYN,
                   DDWORK, DDPGID, DDLADT)
  SELECT '9999', '9999', k.month, 60, a.seq, a.itnb, a.unit, a.qty, a.uprc, a.amt, a.gamt, a.tax, a.bdan, a.mdan,
         a.ldan, a.mcal, 0, 0, '', 0, 0, '1', '2', '90000001', 'F10051_deliver', datetime('now', 'localtime')
  FROM seed_history_amount a JOIN seed_history_key k ON k.kind = a.kind WHERE a.kind = 'release';

-- The counters of the months these documents fall in.
INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', CASE kind WHEN 'order' THEN 10 WHEN 'receipt' THEN 11 WHEN 'sales' THEN 12 ELSE 13 END,
         month, numb FROM seed_history_key WHERE true
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_history_amount;
DROP VIEW seed_history_key;
DROP TABLE seed_history_line;
DROP TABLE seed_history;
