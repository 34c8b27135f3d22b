-- Demo products and productions for the production page of the document
-- history, so that its name-index keys, categories and type buttons each
-- narrow something. T = the seeding day.
--   Five products of every business unit, sold under 식빵류 after 우유식빵,
--   made without a recipe: 깨찰빵 (key 가), 호두파이 (하), Bagel and mini식빵
--   (Latin letters), 9곡식빵 (digits); 호두파이 under 케이크생산 / 케이크류,
--   the others under 제빵생산 / 빵류.
--   Productions of store 9999, numbered 70.. in the month of their day:
--     #70 (T-3, line 001): 깨찰빵 24 with 1 lost, Bagel 12, 9곡식빵 8
--     #71 (T-3, line 002): 호두파이 6, 커스터드크림 2,000 G
--     #72 (T-2, line 001): mini식빵 15 with 2 lost, 깨찰빵 20
--     #73 (T-2, line 002): 호두파이 4 with 1 lost, 커스터드크림 1,000 G
--   No item made here has a recipe, so no ingredient stock moves.
-- Only these rows are deleted here.

DELETE FROM F0200 WHERE IMCMCD = '9999' AND IMITNB IN ('100007', '100008', '100009', '100010', '100011');

CREATE TEMP TABLE seed_hi (itnb TEXT, bar TEXT, name TEXT, gkid TEXT, prc1 INTEGER, prc2 INTEGER, sort INTEGER);
INSERT INTO seed_hi VALUES
  ('100007', '881000070', '깨찰빵', '201', 2000, 900, 21),
  ('100008', '881000080', '호두파이', '202', 15000, 7000, 22),
  ('100009', '881000090', 'Bagel', '201', 2500, 1100, 23),
  ('100010', '881000100', 'mini식빵', '201', 2800, 1300, 24),
  ('100011', '881000110', '9곡식빵', '201', 4000, 1900, 25);
INSERT INTO F0200 (IMCMCD, IMBUUT, IMITNB, IMITTY, IMBAR, IMNAME, IMSNAM, IMPGKI, IMPMKI, IMSDKI, IMSJKI, IMPRC1, IMPRC2,
                   IMBDAN, IMMDAN, IMLDAN, IMMCAL, IMEDAN, IMTXGU, IMBDFL, IMSDFL, IMSORT, IMJEGO)
  SELECT '9999', u.ABBUUT, p.itnb, '1', p.bar, p.name, p.name, '101', '001', p.gkid, '002', p.prc1, p.prc2, 'EA',
         'BOX', 'EA', 10, 'EA', '1', 1, 1, p.sort, 10
  FROM seed_hi p
  JOIN F0100 u ON u.ABCMCD = '9999' AND u.ABADNB = '00000000';
DROP TABLE seed_hi;
UPDATE F0200 SET IMSTDT = strftime('%Y%m%d', 'now', 'localtime', '-1 year'), IMEDDT = '99991231',
    IMLADT = datetime('now', 'localtime')
  WHERE IMCMCD = '9999' AND IMITNB IN ('100007', '100008', '100009', '100010', '100011');

CREATE TEMP TABLE seed_hp (numb INTEGER, day TEXT, linb TEXT);
INSERT INTO seed_hp VALUES
  (70, strftime('%Y%m%d', 'now', 'localtime', '-3 day'), '001'),
  (71, strftime('%Y%m%d', 'now', 'localtime', '-3 day'), '002'),
  (72, strftime('%Y%m%d', 'now', 'localtime', '-2 day'), '001'),
  (73, strftime('%Y%m%d', 'now', 'localtime', '-2 day'), '002');

CREATE TEMP TABLE seed_hpl (numb INTEGER, seq INTEGER, itnb TEXT, qty REAL, loss REAL);
INSERT INTO seed_hpl VALUES
  (70, 1, '100007', 24, 1), (70, 2, '100009', 12, 0), (70, 3, '100011', 8, 0),
  (71, 1, '100008', 6, 0), (71, 2, '300002', 2000, 0),
  (72, 1, '100010', 15, 2), (72, 2, '100007', 20, 0),
  (73, 1, '100008', 4, 1), (73, 2, '300002', 1000, 0);

DELETE FROM F3301 WHERE RDCMCD = '9999' AND RDBUUT = '9999'
  AND EXISTS (SELECT 1 FROM seed_hp h WHERE h.numb = RDNUMB AND substr(h.day, 1, 6) = RDMONTH);
DELETE FROM F3300 WHERE RHCMCD = '9999' AND RHBUUT = '9999'
  AND EXISTS (SELECT 1 FROM seed_hp h WHERE h.numb = RHNUMB AND substr(h.day, 1, 6) = RHMONTH);

INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHYEAR, RHDATE, RHLINB, RHADNB, RHWORK, RHPGID, RHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), numb, substr(day, 1, 4), day, linb, '90000001', '90000001',
         'F1003_Produce', datetime('now', 'localtime')
  FROM seed_hp;

INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDLINB, RDUNIT, RDQTY, RDBDAN, RDMDAN, RDLDAN,
                   RDMCAL, RDLQTY, RDCHNUMB, RDCHSEQ, RDIBNUMB, RDIBSEQ, RDWPRC, RDWORK, RDPGID, RDLADT)
  SELECT '9999', '9999', substr(h.day, 1, 6), d.numb, d.seq, d.itnb, h.linb, i.IMLDAN, d.qty, i.IMBDAN, i.IMMDAN,
         i.IMLDAN, i.IMMCAL, d.loss, 0, 0, 0, 0, 0, '90000001', 'F1003_Produce', datetime('now', 'localtime')
  FROM seed_hpl d
  JOIN seed_hp h ON h.numb = d.numb
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = d.itnb;

INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 15, substr(day, 1, 6), MAX(numb) FROM seed_hp GROUP BY substr(day, 1, 6)
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_hpl;
DROP TABLE seed_hp;
