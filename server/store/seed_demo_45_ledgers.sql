-- Demo rows of store 9999 (company 9999) for the ledgers. T = the seeding
-- day; each document lives under the month of its own date. Only these rows
-- are deleted here.
--   set item 600009 케이크포장세트 = 케이크박스 600001 + 리본 600002 + 보냉팩
--     600003, one of each, so the cake's packing (its recipe uses the three)
--     is booked to the set in the raw-material ledger
--   receipt #90 (the previous month, day 11; the history's receipt stands
--     alone on day 10) from 데모제분 40000001, tax kind 3:
--     설탕 10 KG, 버터 20 개
--   receipt #91 (T-6) from 데모제분, tax kind 3: 설탕 5 KG, 버터 10 개
--   discard "005" #90 (T-6): 리본 3 EA
--   secondary material "010" #91 (T-6): 케이크박스 4 EA
-- Receipt prices are those of the material order pattern per ordering unit.

CREATE TEMP TABLE seed_ledger_doc (kind TEXT, numb INTEGER, day TEXT, chty TEXT, pgid TEXT);
INSERT INTO seed_ledger_doc VALUES
  ('receipt', 90, strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+10 day'), '', 'F10021_Warehouse'),
  ('receipt', 91, strftime('%Y%m%d', 'now', 'localtime', '-6 day'), '', 'F10021_Warehouse'),
  ('release', 90, strftime('%Y%m%d', 'now', 'localtime', '-6 day'), '005', 'F1007_TwoMaterialDisuse'),
  ('release', 91, strftime('%Y%m%d', 'now', 'localtime', '-6 day'), '010', 'F1007_TwoMaterialDisuse');

CREATE TEMP TABLE seed_ledger_line (kind TEXT, numb INTEGER, seq INTEGER, itnb TEXT, unit TEXT, qty REAL, uprc INTEGER);
INSERT INTO seed_ledger_line VALUES
  ('receipt', 90, 1, '500002', 'KG', 10, 3000), ('receipt', 90, 2, '500003', '개', 20, 9000),
  ('receipt', 91, 1, '500002', 'KG', 5, 3000), ('receipt', 91, 2, '500003', '개', 10, 9000),
  ('release', 90, 1, '600002', 'EA', 3, 0),
  ('release', 91, 1, '600001', 'EA', 4, 0);

DELETE FROM F0240 WHERE CACMCD = '9999' AND CABUUT = '9999' AND CAPUB1 = '600009';
DELETE FROM F3101 WHERE WDCMCD = '9999' AND WDBUUT = '9999' AND EXISTS (SELECT 1 FROM seed_ledger_doc s
  WHERE s.kind = 'receipt' AND F3101.WDMONTH = substr(s.day, 1, 6) AND F3101.WDNUMB = s.numb);
DELETE FROM F3100 WHERE WHCMCD = '9999' AND WHBUUT = '9999' AND EXISTS (SELECT 1 FROM seed_ledger_doc s
  WHERE s.kind = 'receipt' AND F3100.WHMONTH = substr(s.day, 1, 6) AND F3100.WHNUMB = s.numb);
DELETE FROM F3201 WHERE DDCMCD = '9999' AND DDBUUT = '9999' AND EXISTS (SELECT 1 FROM seed_ledger_doc s
  WHERE s.kind = 'release' AND F3201.DDMONTH = substr(s.day, 1, 6) AND F3201.DDNUMB = s.numb);
DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHBUUT = '9999' AND EXISTS (SELECT 1 FROM seed_ledger_doc s
  WHERE s.kind = 'release' AND F3200.DHMONTH = substr(s.day, 1, 6) AND F3200.DHNUMB = s.numb);

INSERT INTO F0240 (CACMCD, CABUUT, CAPUB1, CAITNB, CASAWT, CALADT) VALUES
  ('9999', '9999', '600009', '600001', 1, datetime('now', 'localtime')),
  ('9999', '9999', '600009', '600002', 1, datetime('now', 'localtime')),
  ('9999', '9999', '600009', '600003', 1, datetime('now', 'localtime'));

INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHYEAR, WHDATE, WHADNB, WHIBTY, WHCPSEQ, WHBIGO, WHPOID, WHTXGU,
                   WHKSGU, WHWORK, WHPGID, WHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), numb, substr(day, 1, 4), day, '40000001', '003', 0, '2', '99', '3', '001',
         '90000001', pgid, datetime('now', 'localtime')
  FROM seed_ledger_doc WHERE kind = 'receipt';
INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDUPRC, WDAMT, WDGAMT, WDTAX,
                   WDBDAN, WDMDAN, WDLDAN, WDMCAL, WDBAQTY, WDEDFLYN, WDWORK, WDPGID, WDLADT)
  SELECT '9999', '9999', substr(d.day, 1, 6), d.numb, l.seq, l.itnb, l.unit, l.qty, l.uprc, l.qty * l.uprc,
         l.qty * l.uprc, 0, i.IMBDAN, i.IMMDAN, i.IMLDAN, i.IMMCAL, l.qty, '2', '90000001', d.pgid,
         datetime('now', 'localtime')
  FROM seed_ledger_line l
  JOIN seed_ledger_doc d ON d.kind = l.kind AND d.numb = l.numb
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = l.itnb
  WHERE l.kind = 'receipt';

INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHYEAR, DHDATE, DHADNB, DHCHTY, DHPOID, DHPDFL, DHKENUMB,
                   DHKMNUMB, DHWORK, DHPGID, DHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), numb, substr(day, 1, 4), day, '', chty, '99', 1, 0, 0, '90000001', pgid,
         datetime('now', 'localtime')
  FROM seed_ledger_doc WHERE kind = 'release';
INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY, DDUPRC, DDAMT, DDGAMT, DDBDAN,
                   DDMDAN, DDLDAN, DDMCAL, DDIBNUMB, DDIBSEQ, DDSUMONTH, DDSUNUMB, DDSUSEQ, DDWORK, DDPGID, DDLADT)
  SELECT '9999', '9999', substr(d.day, 1, 6), d.numb, l.seq, l.itnb, l.unit, l.qty, 0, 0, 0, i.IMBDAN, i.IMMDAN,
         i.IMLDAN, i.IMMCAL, 0, 0, substr(d.day, 1, 6), 0, l.seq, '90000001', d.pgid, datetime('now', 'localtime')
  FROM seed_ledger_line l
  JOIN seed_ledger_doc d ON d.kind = l.kind AND d.numb = l.numb
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = l.itnb
  WHERE l.kind = 'release';

-- The counters of the months these documents fall in.
INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', CASE kind WHEN 'receipt' THEN 11 ELSE 13 END, substr(day, 1, 6), MAX(numb)
  FROM seed_ledger_doc WHERE true GROUP BY kind, substr(day, 1, 6)
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_ledger_line;
DROP TABLE seed_ledger_doc;
