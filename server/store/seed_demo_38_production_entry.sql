-- A demo production of store 9999 in the previous month, to reload, change
-- and print on production entry: production #80 on the 15th of last month,
-- line 001: 소보로빵 24 with 1 lost, 크림빵 36 with 2 lost. Numbered 80 so
-- that it never meets a number drawn by the screens or another seed. Its
-- items have no recipe: it takes no ingredient out of stock (only these two
-- products gain stock) and costs nothing (RDWPRC 0).

CREATE TEMP TABLE seed_pe (day TEXT);
INSERT INTO seed_pe VALUES (strftime('%Y%m%d', 'now', 'localtime', 'start of month', '-1 month', '+14 days'));

DELETE FROM F3301 WHERE RDCMCD = '9999' AND RDBUUT = '9999' AND RDNUMB = 80
  AND RDMONTH = (SELECT substr(day, 1, 6) FROM seed_pe);
DELETE FROM F3300 WHERE RHCMCD = '9999' AND RHBUUT = '9999' AND RHNUMB = 80
  AND RHMONTH = (SELECT substr(day, 1, 6) FROM seed_pe);

CREATE TEMP TABLE seed_ped (seq INTEGER, itnb TEXT, qty REAL, loss REAL);
INSERT INTO seed_ped VALUES (1, '100003', 24, 1), (2, '100004', 36, 2);

INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHYEAR, RHDATE, RHLINB, RHADNB, RHWORK, RHPGID, RHLADT)
  SELECT '9999', '9999', substr(day, 1, 6), 80, substr(day, 1, 4), day, '001', '90000001', '90000001',
         'F1003_Produce', datetime('now', 'localtime')
  FROM seed_pe;

INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDLINB, RDUNIT, RDQTY, RDBDAN, RDMDAN, RDLDAN,
                   RDMCAL, RDLQTY, RDCHNUMB, RDCHSEQ, RDIBNUMB, RDIBSEQ, RDWPRC, RDWORK, RDPGID, RDLADT)
  SELECT '9999', '9999', substr(h.day, 1, 6), 80, d.seq, d.itnb, '001', i.IMLDAN, d.qty, i.IMBDAN, i.IMMDAN,
         i.IMLDAN, i.IMMCAL, d.loss, 0, 0, 0, 0, 0,
         '90000001', 'F1003_Produce', datetime('now', 'localtime')
  FROM seed_ped d, seed_pe h
  JOIN F0200 i ON i.IMCMCD = '9999' AND i.IMBUUT = '9999' AND i.IMITNB = d.itnb;

INSERT INTO SYS_NUMBER (NBCMCD, NBBUUT, NBGUBUN, NBMONTH, NBLAST)
  SELECT '9999', '9999', 15, substr(day, 1, 6), 80 FROM seed_pe WHERE true
  ON CONFLICT (NBCMCD, NBBUUT, NBGUBUN, NBMONTH) DO UPDATE SET NBLAST = MAX(NBLAST, excluded.NBLAST);

DROP TABLE seed_ped;
DROP TABLE seed_pe;
